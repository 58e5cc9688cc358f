#pragma once

#include <string>
#include <vector>

// What a MusicBrainz discid lookup answers (JSON, with recordings and artist credits): each
// release that holds the disc, with the names the player shows. Window-free.
struct ReleaseNames {
    std::string artist, album, year, country, format;
    std::vector<std::string> tracks; // UTF-8, in disc order

    // "Artist - Album (year, country, format)", leaving out what is unknown.
    std::string Summary() const;
};

// The releases whose medium lists the disc id, or else has the disc's number of tracks;
// none for an answer that is no JSON or holds no such release.
std::vector<ReleaseNames> MusicBrainzReleases(const std::string& json, const std::string& discId,
                                              int trackCount);
