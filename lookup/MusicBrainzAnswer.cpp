#include "lookup/MusicBrainzAnswer.h"

#include "lookup/Json.h"

namespace {

// Names with their join phrases: "Ana Lux", " & ", "Bo" make "Ana Lux & Bo".
std::string ArtistCredit(const Json& release) {
    std::string artist;
    for (const Json& credit : release["artist-credit"].items)
        artist += credit.String("name") + credit.String("joinphrase");
    return artist;
}

bool ListsDisc(const Json& medium, const std::string& discId) {
    for (const Json& disc : medium["discs"].items)
        if (disc.String("id") == discId) return true;
    return false;
}

// The medium that is this disc: the one that lists its id, else the first of its length.
const Json* MediumOfDisc(const Json& release, const std::string& discId, int trackCount) {
    for (const Json& medium : release["media"].items)
        if (ListsDisc(medium, discId)) return &medium;
    for (const Json& medium : release["media"].items)
        if (int(medium["tracks"].items.size()) == trackCount) return &medium;
    return nullptr;
}

} // namespace

std::string ReleaseNames::Summary() const {
    std::string details;
    for (const std::string* part : {&year, &country, &format})
        if (!part->empty()) details += (details.empty() ? "" : ", ") + *part;
    return artist + " - " + album + (details.empty() ? "" : " (" + details + ")");
}

std::vector<ReleaseNames> MusicBrainzReleases(const std::string& json, const std::string& discId,
                                              int trackCount) {
    std::vector<ReleaseNames> found;
    const std::unique_ptr<Json> answer = Json::Parse(json);
    if (!answer) return found;
    for (const Json& release : (*answer)["releases"].items) {
        const Json* medium = MediumOfDisc(release, discId, trackCount);
        if (!medium || (*medium)["tracks"].items.size() != size_t(trackCount)) continue;
        ReleaseNames names;
        names.artist = ArtistCredit(release);
        names.album = release.String("title");
        names.year = release.String("date").substr(0, 4);
        names.country = release.String("country");
        names.format = medium->String("format");
        for (const Json& track : (*medium)["tracks"].items)
            names.tracks.push_back(track.String("title"));
        found.push_back(std::move(names));
    }
    return found;
}
