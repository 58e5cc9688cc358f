#include "player/PlaybackEngine.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "devices/WMCIAudioCD.h"
#include "player/PlaylistView.h"
#include "res/resource.h"

#include <dbt.h>
#include <stdio.h>

PlaybackEngine* playbackEngine = nullptr;

namespace {

constexpr DWORD modeStopped = 525;
constexpr DWORD modePlaying = 526;
constexpr DWORD modeDoorOpen = 530;

} // namespace

PlaybackEngine::PlaybackEngine(WMCIAudioCD& cd, const WIniKey& discFile, Settings& settings,
                               PlayRequest& request, RandomFunction random)
    : cd(cd), settings(settings), request(request), random(random), database(discFile) {
}

void PlaybackEngine::AttachViews(PlaylistView* playlistView, EngineDisplays* displayViews) {
    playlist = playlistView;
    displays = displayViews;
}

// A new start of play or a new disc ends the pause: the next Pause pauses again instead of
// resuming a position that no longer plays.
void PlaybackEngine::ForgetPause() {
    paused = 0;
    cd.paused = 0;
}

// ---- Track numbers and playlist entries ----

bool PlaybackEngine::IsAudioIndex(int index) const {
    return index >= 1 && static_cast<DWORD>(index) <= cd.audioTrackCount &&
           index < WMCIAudioCD::maxTracks;
}

// The audio index of a disc track number; 0 for a data track or a number not on the disc
// (FindAudioIndex answers 1 for those, which would pass for the first audio track).
int PlaybackEngine::AudioIndexOfTrack(int track) const {
    int index = cd.FindAudioIndex(track);
    if (!IsAudioIndex(index) || cd.audioTrack[index] != static_cast<DWORD>(track)) return 0;
    return index;
}

// The item value of an entry; 0 (no track) when the entry does not exist.
int PlaybackEngine::EntryTrack(int entry) const {
    if (entry < 0 || entry >= playlist->Count()) return 0;
    return playlist->ItemData(entry);
}

// An empty playlist has no entry to prepare: the current track becomes "no track".
void PlaybackEngine::PrepareEntry(int entry) {
    if (entry >= 0 && entry < playlist->Count()) {
        PrepareStart(playlist->ItemData(entry));
        return;
    }
    currentTrack = 0;
    startMinute = startSecond = 0;
}

// Marking an entry that does not exist would leave a mark past the end of the list.
void PlaybackEngine::MarkEntry(int entry) {
    if (entry >= 0 && entry < playlist->Count()) playlist->SetMarked(entry, 1);
}

// An intro length of zero or less sets no limit: the track plays whole.
bool PlaybackEngine::HasIntroLimit() const {
    return settings.introPlay && settings.introPlayLen > 0;
}

unsigned PlaybackEngine::IntroLength() const {
    return static_cast<unsigned>(settings.introPlayLen);
}

// The first entry from `entry` on, in list order and once round, that names an audio track
// of the disc; -1 when there is none.
int PlaybackEngine::PlayableEntryFrom(int entry) const {
    const int count = playlist->Count();
    if (entry < 0 || entry >= count) entry = 0;
    for (int step = 0; step < count; step++) {
        int candidate = (entry + step) % count;
        if (IsAudioIndex(playlist->ItemData(candidate))) return candidate;
    }
    return -1;
}

// Starting play on an entry that names no track of the disc moves on to the next one that
// does, as running on does; with none at all nothing plays and the status says so.
void PlaybackEngine::PlayFromEntry(int entry) {
    int playable = PlayableEntryFrom(entry);
    if (playable < 0) {
        nothingToPlay = 1;
        cd.Stop();
        return;
    }
    if (playable != entry || !IsAudioIndex(currentTrack)) {
        MarkEntry(playable);
        PrepareEntry(playable);
    }
    PlayCurrent();
}

// ---- Displays ----

void PlaybackEngine::ShowTime(Display display, int seconds) {
    char text[32];
    snprintf(text, sizeof text, "%02i:%02i", seconds / 60, seconds % 60);
    displays->SetText(display, text);
}

// A start point past the length of the track last seen shows 00:00 remaining, not a
// negative time.
void PlaybackEngine::ShowRemainingOrElapsed(int elapsed) {
    if (settings.elapsedTime) {
        ShowTime(Display::Position, elapsed);
        return;
    }
    long long rest = static_cast<long long>(trackLength) - elapsed;
    ShowTime(Display::Position, rest > 0 ? static_cast<int>(rest) : 0);
}

void PlaybackEngine::ShowTrackName() {
    if (shownTrack == currentTrack) return;
    char text[DiscDatabase::textSize] = "";
    int marked = playlist->Marked();
    if (marked >= 0 && marked < playlist->Count()) playlist->ItemText(marked, text, sizeof text);
    displays->SetText(Display::TrackName, text);
    shownTrack = currentTrack;
}

void PlaybackEngine::ShowTrackNameNow() {
    if (!playlist || !displays) return;
    shownTrack = -1;
    ShowTrackName();
}

void PlaybackEngine::ShowStatus(const char* text) {
    if (!volumeText) displays->SetText(Display::Status, text);
}

void PlaybackEngine::ShowStatusString(unsigned id) {
    if (!volumeText) ShowTableString(Display::Status, id);
}

void PlaybackEngine::ShowTableString(Display display, unsigned id) {
    char text[DiscDatabase::textSize];
    LoadTableString(id, text, sizeof text);
    displays->SetText(display, text);
}

// ---- Disc database ----

void PlaybackEngine::LoadDiscEntry() {
    if (!playlist || !displays) return;
    // A reload of the disc being read (the Edit playlist dialog's save) keeps the expected
    // track: forgetting it would make the next playing tick stop the track and move on.
    shownTrack = -1;
    nothingToPlay = 0;
    if (!discRead) expectedTrack = -1;
    char text[DiscDatabase::textSize];
    database.ReadArtist(cd.discId, text, sizeof text);
    displays->SetText(Display::Artist, text);
    database.ReadTitle(cd.discId, text, sizeof text);
    displays->SetText(Display::Album, text);
    database.LoadPlaylist(cd.discId, static_cast<int>(cd.audioTrackCount), *playlist);
}

int PlaybackEngine::SaveDiscOrder() {
    if (!discRead || !playlist) return 0;
    database.SaveOrder(cd.discId, *playlist);
    return 1;
}

void PlaybackEngine::SaveDiscNames(const char* artist, const char* title, const char* const* names,
                                   int count) {
    database.SaveNames(cd.discId, artist, title, names, count);
}

// The order the user made is kept: it is what would be saved when the disc goes.
void PlaybackEngine::ReloadNames() {
    if (!playlist || !displays || !discRead) return;
    SaveDiscOrder();
    const int marked = playlist->Marked() < 0 ? 0 : playlist->Marked();
    LoadDiscEntry();
    playlist->SetMarked(marked, 1);
    ShowTrackNameNow();
}

// ---- Playing ----

// The length shown while stopped is the prepared track's own, not the last one played.
void PlaybackEngine::PrepareStart(int audioIndex) {
    currentTrack = audioIndex;
    startMinute = startSecond = 0;
    int length = 0;
    if (IsAudioIndex(audioIndex)) cd.GetAudioTrackLength(audioIndex, &length);
    trackLength = static_cast<unsigned>(length > 0 ? length : 0);
    if (!HasIntroLimit()) return;
    unsigned introLength = IntroLength();
    if (!settings.randomIntro) {
        introEnd = introLength;
        return;
    }
    // A track no longer than the intro has no room for a random start: it plays from 0:00.
    unsigned start = 0;
    if (length > 0 && static_cast<unsigned>(length) > introLength)
        start = random(static_cast<unsigned>(length) - introLength);
    startMinute = static_cast<int>(start / 60);
    startSecond = static_cast<int>(start % 60);
    introEnd = start + introLength;
}

// An entry that names no audio track of the disc plays nothing: the drive is stopped so
// that the next tick moves on past it.
void PlaybackEngine::PlayCurrent() {
    expectedTrack = currentTrack;
    ForgetPause();
    if (IsAudioIndex(currentTrack)) {
        nothingToPlay = 0;
        cd.PlayAudioTrack(currentTrack, startMinute, startSecond, 0);
    } else {
        cd.Stop();
    }
}

void PlaybackEngine::StepPrevious() {
    if (!playlist || !displays) return;
    int entry = playlist->PreviousMarked();
    MarkEntry(entry);
    int playing = cd.IsPlaying();
    PrepareEntry(entry);
    if (playing) PlayCurrent();
}

void PlaybackEngine::StepNext() {
    if (!playlist || !displays) return;
    int entry = playlist->NextMarked();
    if (entry != 0 || settings.repeatPlaylist) MarkEntry(entry);
    int playing = cd.IsPlaying();
    PrepareEntry(entry);
    if (playing) PlayCurrent();
}

void PlaybackEngine::StartPlay() {
    if (!playlist || !displays) return;
    PrepareStart(currentTrack);
    if (IsAudioIndex(currentTrack))
        PlayCurrent();
    else
        PlayFromEntry(playlist->Marked());
}

void PlaybackEngine::TogglePause() {
    if (paused) {
        cd.Resume();
        paused = 0;
        return;
    }
    wasPlaying = 0;
    cd.Pause();
    paused = 1;
}

void PlaybackEngine::StopPlay() {
    wasPlaying = 0;
    cd.Stop();
    startMinute = startSecond = 0;
    introEnd = IntroLength();
}

// The hand-off gives a disc track number (from the track file's name). With the disc read
// it is turned into its audio index; a number that is no audio track of this disc is
// ignored. Before the disc is read the drive plays it and the next playing tick reads the
// disc and marks its entry.
void PlaybackEngine::PlayRequested(int track) {
    if (track == 0 || !playlist || !displays) return;
    if (!discRead) {
        ForgetPause();
        cd.Stop();
        cd.PlayFrom(track, 0, 0, 0);
        return;
    }
    int index = AudioIndexOfTrack(track);
    if (!index) return;
    ForgetPause();
    cd.Stop();
    MarkEntry(playlist->FindByData(index));
    currentTrack = index;
    startMinute = startSecond = 0;
    expectedTrack = index;
    cd.PlayAudioTrack(index, 0, 0, 0);
}

void PlaybackEngine::SeekTo(int seconds) {
    if (seconds < 0) seconds = 0;
    int playing = cd.IsPlaying();
    if (HasIntroLimit()) introEnd = static_cast<unsigned>(seconds) + IntroLength();
    startMinute = seconds / 60;
    startSecond = seconds % 60;
    if (playing && IsAudioIndex(currentTrack))
        cd.PlayAudioTrack(currentTrack, startMinute, startSecond, 0);
}

// ---- The status tick ----

void PlaybackEngine::StatusTick(UINT_PTR timerId) {
    if (Busy() || !playlist || !displays || timerId != IDT_STATUS) return;
    BusyHold hold = HoldTicks();
    DWORD mode = 0;
    if (cd.GetMode(&mode)) {
        if (mode == modeStopped)
            StoppedTick();
        else if (mode == modePlaying)
            PlayingTick();
        else if (mode == modeDoorOpen)
            DoorOpenTick();
    } else if (cd.deviceId == 0 && !discRead) {
        StoppedTick(); // a device that failed to open shows as an unreadable disc
    }
}

void PlaybackEngine::DoorOpenTick() {
    ForgetPause(); // the paused disc is gone
    if (discRead) {
        playlist->DiscLeft();
        playlist->Clear(1);
        for (Display display : {Display::Position, Display::TrackLength, Display::Artist,
                                Display::Album, Display::TrackName})
            displays->SetText(display, "");
        displays->SetSeekRange(0);
        if (settings.exitOnRemove) {
            // The closing playlist window saves the order; the list is already empty, and
            // writing it would throw away the disc's stored order.
            discRead = 0;
            displays->CloseWindow();
            return;
        }
    }
    discRead = 0;
    ShowStatus("Eject");
}

void PlaybackEngine::StoppedTick() {
    if (!discRead)
        ReadNewDisc();
    else {
        if (wasPlaying) MoveOnAfterTrack();
        ShowStoppedPosition();
    }
    if (paused)
        ShowStatus("Pause");
    else if (nothingToPlay && discRead)
        ShowStatusString(IDS_NOTHING_TO_PLAY);
    else
        ShowStatus("Stop");
    wasPlaying = 0;
}

void PlaybackEngine::ReadNewDisc() {
    if (!cd.ReadDisc()) {
        ShowTableString(Display::TrackName, IDS_DISC_ERROR);
        return;
    }
    if (cd.audioTrackCount == 0) {
        ShowTableString(Display::TrackName, IDS_DATA_DISC);
        return;
    }
    LoadDiscEntry();
    PrepareEntry(0);
    discRead = 1;
    displays->DiscLoaded();
    if (settings.playOnStart || request.flag) {
        // A request for a track that is no audio track of this disc plays the first entry.
        int index = request.flag ? AudioIndexOfTrack(request.track) : 0;
        if (index) {
            // Prepared for the requested track itself, so a random intro start fits it.
            PrepareStart(index);
            PlayCurrent();
            MarkEntry(playlist->FindByData(index));
        } else {
            MarkEntry(0);
            PlayFromEntry(0);
        }
    } else {
        expectedTrack = currentTrack;
        MarkEntry(0);
    }
    request.flag = 0;
}

// The drive stopped after playing: the next entry by repeat track, the playlist order or
// repeat playlist. Entries that name no audio track are passed over.
void PlaybackEngine::MoveOnAfterTrack() {
    if (settings.repeatTrack) {
        PrepareEntry(playlist->Marked());
        PlayCurrent();
        return;
    }
    bool play = false;
    for (int tries = playlist->Count(); tries >= 0; tries--) {
        int entry = playlist->NextMarked();
        play = entry != 0 || settings.repeatPlaylist;
        if (play) MarkEntry(entry);
        PrepareEntry(entry);
        if (!play || IsAudioIndex(currentTrack)) break;
    }
    if (play) PlayCurrent();
}

void PlaybackEngine::ShowStoppedPosition() {
    displays->SetSeekRange(static_cast<int>(trackLength));
    ShowTime(Display::TrackLength, static_cast<int>(trackLength));
    ShowTrackName();
    int start = startMinute * 60 + startSecond;
    ShowRemainingOrElapsed(start);
    displays->SetSeekPosition(start);
}

void PlaybackEngine::PlayingTick() {
    if (!discRead) {
        if (request.flag) {
            // The next stopped tick reads the disc and plays the requested track.
            cd.Stop();
            return;
        }
        // A disc that cannot be read, or has no audio, is stopped and read again by the
        // stopped ticks; marking it read would let the playlist of no disc be saved
        // over its stored order.
        if (!cd.ReadDisc()) {
            ShowTableString(Display::TrackName, IDS_DISC_ERROR);
            cd.Stop();
            return;
        }
        if (cd.audioTrackCount == 0) {
            cd.Stop();
            return;
        }
        LoadDiscEntry();
        int track = 0;
        cd.GetCurrentTrack(&track);
        int index = AudioIndexOfTrack(track);
        MarkEntry(playlist->FindByData(index));
        expectedTrack = index ? index : -1;
        discRead = 1;
    }
    int track = 0;
    cd.GetCurrentTrack(&track);
    currentTrack = AudioIndexOfTrack(track);
    int seconds = 0;
    cd.GetTrackSeconds(&seconds);
    startMinute = seconds / 60;
    startSecond = seconds % 60;
    int length = 0;
    cd.GetTrackLength(track, &length);
    trackLength = static_cast<unsigned>(length);
    // Run on into another disc track (or a data track), or started by something else.
    if ((currentTrack == 0 || currentTrack != expectedTrack) && !RanOnIntoNextEntry(currentTrack)) {
        cd.Stop();
        return;
    }
    displays->SetSeekRange(length);
    ShowTime(Display::TrackLength, length);
    ShowTrackName();
    displays->SetSeekPosition(seconds);
    ShowRemainingOrElapsed(seconds);
    ShowStatus("Playing");
    wasPlaying = 1;
    if (HasIntroLimit() && static_cast<unsigned>(seconds) >= introEnd) cd.Stop();
}

// The drive ran on from the entry that played into the track the next entry plays from its
// start: that entry goes on as it is. Stopping and starting it again would be heard as a
// stutter at every track change of a disc played in order, and a tick that comes late on a
// busy machine finds the drive seconds into that track: it ran on all the same.
bool PlaybackEngine::RanOnIntoNextEntry(int index) {
    if (index == 0 || !wasPlaying || expectedTrack <= 0 || settings.repeatTrack || HasIntroLimit())
        return false;
    const int entry = playlist->NextMarked();
    if ((entry == 0 && !settings.repeatPlaylist) || EntryTrack(entry) != index) return false;
    MarkEntry(entry);
    PrepareStart(index);
    expectedTrack = index;
    return true;
}

// ---- Drive switch ----

int PlaybackEngine::OnDeviceChange(WPARAM event, LPARAM data) {
    if (event != DBT_DEVICEARRIVAL || !data) return 1;
    auto header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header->dbch_devicetype != DBT_DEVTYP_VOLUME) return 1;
    auto volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(data);
    return OnVolumeArrival(volume->dbcv_devicetype, volume->dbcv_unitmask, volume->dbcv_flags);
}

// The old device is closed first: it must not stay open on a drive the player no longer
// uses. The order of the disc read so far is kept, as at the end of a session.
void PlaybackEngine::ChangeDisc(const char* drive) {
    BusyHold hold = HoldTicks();
    SaveDiscOrder();
    cd.Stop();
    cd.Close();
    if (discRead && playlist) playlist->DiscLeft();
    discRead = 0;
    ForgetPause();
    snprintf(settings.drive, sizeof settings.drive, "%s", drive);
    cd.Open(settings.drive);
}

int PlaybackEngine::OnVolumeArrival(DWORD deviceType, DWORD unitMask, WORD flags) {
    if (deviceType != DBT_DEVTYP_VOLUME || flags != DBTF_MEDIA || unitMask == 0) return 1;
    int bit = 0;
    while (!(unitMask & (1u << bit)))
        bit++;
    if (bit >= 26) return 1; // no drive letter
    char letter = static_cast<char>('A' + bit);
    char root[4] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(root) != DRIVE_CDROM || !settings.autoSwitch) return 1;
    BusyHold hold = HoldTicks();
    snprintf(settings.drive, sizeof settings.drive, "%c:", letter);
    if (discRead) {
        cd.Stop();
        cd.Close();
        if (playlist) playlist->DiscLeft();
        discRead = 0;
        ForgetPause();
        cd.Open(settings.drive);
    }
    return 1;
}
