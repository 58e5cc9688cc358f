#pragma once

#include "player/DiscDatabase.h"
#include "player/EngineDisplays.h"

#include <windows.h>

class WMCIAudioCD;
class WIniKey;
class PlaylistView;
struct Settings;
struct PlayRequest;

// Plays the disc in the order of the playlist. The drive never reports events, so the
// status timer polls it: each tick reads the drive's mode and moves through the playlist.
//
// Track numbering: currentTrack, expectedTrack and shownTrack are always audio indices
// (1-based positions among the disc's audio tracks, the playlist's item values). The
// drive's own track numbers are converted where they come in (the current track of a
// playing drive, a "/play" request), so a disc whose first track is data plays through.
// 0 means "no track": an empty playlist, or a track number that is no audio track.
class PlaybackEngine {
public:
    using RandomFunction = unsigned (*)(unsigned);

    // While any hold lives no status tick runs. Holds nest: a disc arriving during a seek
    // drag lets go of its own hold only, and ticks resume when the outermost one ends.
    class BusyHold {
    public:
        explicit BusyHold(int& count) : count(&count) { ++count; }
        ~BusyHold() {
            if (count) --*count;
        }
        BusyHold(BusyHold&& other) noexcept : count(other.count) { other.count = nullptr; }
        BusyHold(const BusyHold&) = delete;
        BusyHold& operator=(const BusyHold&) = delete;
        BusyHold& operator=(BusyHold&&) = delete;

    private:
        int* count;
    };

    PlaybackEngine(WMCIAudioCD& cd, const WIniKey& discFile, Settings& settings,
                   PlayRequest& request, RandomFunction random);
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // The playlist window's list and the player window's displays, once they exist; null
    // detaches them. Without both, ticks and commands do nothing.
    void AttachViews(PlaylistView* playlist, EngineDisplays* displays);

    // The status timer.
    void StatusTick(UINT_PTR timerId);

    // Commands of the player window, the seek slider, the playlist window and the hand-off.
    void StepPrevious();
    void StepNext();
    void StartPlay();
    void TogglePause();
    void StopPlay();
    void PlayRequested(int track);
    void SeekTo(int seconds);
    void PrepareStart(int audioIndex);
    void PlayCurrent();

    // WM_DEVICECHANGE: switches to a drive that received a disc when "autoswitch" is on.
    // Always returns 1.
    int OnDeviceChange(WPARAM event, LPARAM data);
    int OnVolumeArrival(DWORD deviceType, DWORD unitMask, WORD flags);
    // Reads a new disc: the one now in the drive the player uses, or another drive's.
    void ChangeDisc(const char* drive);

    BusyHold HoldTicks() { return BusyHold(busyCount); }
    bool Busy() const { return busyCount > 0; }

    // The disc database on the disc the device read last.
    void LoadDiscEntry();
    int SaveDiscOrder();
    void SaveDiscNames(const char* artist, const char* title, const char* const* names, int count);
    const DiscDatabase& Database() const { return database; }
    // Names stored anew (a lookup): the displays and the playlist show them at once.
    void ReloadNames();
    // The marked entry's name on the display at once, as after a rename.
    void ShowTrackNameNow();
    void SetFallbackNames(const std::string& discId, const DiscNames& names) {
        database.SetFallbackNames(discId, names);
    }

    // Engine state; the player window, the slider and the option pages set or test the
    // fields they need.
    int discRead = 0;   // the disc has been read and its playlist built
    int wasPlaying = 0; // the last playing tick saw the drive playing
    int paused = 0;     // the pause button paused the disc
    int currentTrack = 0;
    int startMinute = 0, startSecond = 0;
    int expectedTrack = -1;
    int shownTrack = -1;
    unsigned trackLength = 0; // seconds
    unsigned introEnd = 0;    // seconds into the track
    int volumeText = 0;       // the status display shows a volume text
    int nothingToPlay = 0;    // the last start found no entry that names a track of the disc

private:
    void StoppedTick();
    void ReadNewDisc();
    void MoveOnAfterTrack();
    void ShowStoppedPosition();
    void PlayingTick();
    bool RanOnIntoNextEntry(int index);
    void DoorOpenTick();

    void ForgetPause();
    bool IsAudioIndex(int index) const;
    bool HasIntroLimit() const;
    unsigned IntroLength() const;
    int PlayableEntryFrom(int entry) const;
    void PlayFromEntry(int entry);
    int AudioIndexOfTrack(int track) const;
    int EntryTrack(int entry) const;
    void PrepareEntry(int entry);
    void MarkEntry(int entry);
    void ShowTime(Display display, int seconds);
    void ShowRemainingOrElapsed(int elapsed);
    void ShowTrackName();
    void ShowStatus(const char* text);
    void ShowStatusString(unsigned id);
    void ShowTableString(Display display, unsigned id);

    WMCIAudioCD& cd;
    Settings& settings;
    PlayRequest& request;
    RandomFunction random;
    DiscDatabase database;
    PlaylistView* playlist = nullptr;
    EngineDisplays* displays = nullptr;
    int busyCount = 0; // the holds that keep status ticks from running
};

// The process-wide engine, created by the entry point.
extern PlaybackEngine* playbackEngine;
