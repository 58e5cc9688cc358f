#include "forms/DiscNamer.h"

#include "app/Settings.h"
#include "app/Globals.h"
#include "devices/CdTextReader.h"
#include "devices/WMCIAudioCD.h"
#include "dialogs/NameChooser.h"
#include "lookup/CdText.h"
#include "player/PlaybackEngine.h"
#include "res/resource.h"

#include <vector>

int(WINAPI* DiscNamer::tellUser)(HWND, const char*, const char*, UINT) = MessageBoxA;
bool (*DiscNamer::readCdText)(char, std::string&) = CdTextReader::ReadPacks;
int (*DiscNamer::choose)(HINSTANCE, HWND, const std::vector<std::string>&) = NameChooser::Ask;

DiscNamer::DiscNamer(HWND window, HINSTANCE instance, WMCIAudioCD& cd, PlaybackEngine& engine,
                     const Settings& settings)
    : window(window), instance(instance), cd(cd), engine(engine), settings(settings),
      lookup(window) {
}

void DiscNamer::DiscLoaded() {
    lookup.Cancel();
    if (engine.Database().KnowsNames(cd.discId, int(cd.audioTrackCount)) || NamedByCdText()) return;
    if (settings.lookupOnline) Start(false);
}

// A real drive's disc may carry its names; the virtual drive's discs bring theirs otherwise.
bool DiscNamer::NamedByCdText() {
    std::string packs;
    DiscNames names;
    if (cd.drive[0] == '\0' || cd.drive[0] == virtualDriveLetter ||
        !readCdText(cd.drive[0], packs) || !CdText::Names(packs, int(cd.audioTrackCount), names))
        return false;
    ReleaseNames release;
    release.artist = names.artist, release.album = names.album, release.tracks = names.tracks;
    Store(release);
    return true;
}

void DiscNamer::LookUpFromMenu() {
    char text[256] = "";
    if (!settings.lookupOnline) {
        LoadStringA(instance, IDS_LOOKUP_OFF, text, sizeof text);
        Tell(text);
    } else if (!engine.discRead || !Start(true)) {
        LoadStringA(instance, IDS_LOOKUP_NO_DISC, text, sizeof text);
        Tell(text);
    }
}

bool DiscNamer::Start(bool fromMenu) {
    DiscToc toc;
    if (cd.discId[0] == '\0' || !cd.ReadToc(&toc)) return false;
    lookup.Start(cd.discId, toc, Services(), fromMenu);
    return true;
}

NameServices DiscNamer::Services() const {
    NameServices services;
    services.musicBrainz = settings.musicBrainzUrl;
    if (!services.musicBrainz.empty() && services.musicBrainz.back() != '/')
        services.musicBrainz += '/';
    services.gnudb = settings.gnudbUrl;
    services.email = settings.lookupEmail;
    services.version = LUMIVOXEN_VERSION;
    return services;
}

void DiscNamer::LookupDone() {
    NameLookup::Outcome outcome;
    // A lookup for a disc that has gone since is dropped.
    if (!lookup.TakeOutcome(outcome) || !engine.discRead || outcome.discId != cd.discId) return;
    if (outcome.result.releases.empty()) {
        if (outcome.fromMenu) Tell(outcome.result.failure);
        return;
    }
    const int chosen = Chosen(outcome);
    if (chosen < 0) return;
    // Names the user typed while the lookup ran win over the automatic lookup's.
    if (!outcome.fromMenu && engine.Database().KnowsNames(cd.discId, int(cd.audioTrackCount)))
        return;
    Store(outcome.result.releases[size_t(chosen)]);
}

// One match of an automatic lookup is taken as it is; the menu's lookup always asks.
int DiscNamer::Chosen(const NameLookup::Outcome& outcome) const {
    const std::vector<ReleaseNames>& releases = outcome.result.releases;
    if (releases.size() == 1 && !outcome.fromMenu) return 0;
    std::vector<std::string> summaries;
    for (const ReleaseNames& release : releases)
        summaries.push_back(release.Summary());
    const int chosen = choose(instance, window, summaries);
    return chosen >= 0 && size_t(chosen) < releases.size() ? chosen : -1;
}

void DiscNamer::Store(const ReleaseNames& names) {
    const DiscNames ansi = NameLookup::AnsiNames(names);
    const size_t count = cd.audioTrackCount;
    std::vector<const char*> tracks;
    for (size_t index = 0; index < count; index++)
        tracks.push_back(index < ansi.tracks.size() ? ansi.tracks[index].c_str() : "");
    engine.SaveDiscNames(ansi.artist.c_str(), ansi.album.c_str(), tracks.data(), int(count));
    engine.ReloadNames();
}

void DiscNamer::Tell(const std::string& text) const {
    char caption[100] = "";
    LoadStringA(instance, IDS_IMAGE_CAPTION, caption, sizeof caption);
    tellUser(window, text.c_str(), caption, MB_OK | MB_ICONINFORMATION);
}
