#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A disc's table of contents as the name services know it: the first and last track
// numbers, each track's start and the lead-out, in frames from the start of the disc with
// the 150-frame lead-in counted. The disc ids and the services' queries come from it.
// Window-free.
struct DiscToc {
    int first = 1;
    std::vector<std::int32_t> offsets; // one per track, first to last
    std::int32_t leadOut = 0;

    int Last() const { return first + int(offsets.size()) - 1; }

    // MusicBrainz: SHA-1 of the TOC in hexadecimal, in MusicBrainz's own base64 alphabet.
    std::string MusicBrainzId() const;
    // "first+last+leadout+offset+...", for the discid lookup's toc parameter.
    std::string MusicBrainzToc() const;
    // The freedb/gnudb id: digit sums of the start seconds, the playing time, the tracks.
    std::uint32_t CddbId() const;
    // "id n offset ... seconds", the arguments of "cddb query", joined by '+'.
    std::string CddbQuery() const;
};
