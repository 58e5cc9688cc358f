#pragma once

#include "devices/CdAudioBackend.h"
#include "devices/Clock.h"

#include <vector>

struct SimulatedTrack {
    DWORD frames; // length, 75 frames a second
    bool data;    // the data bit of the track's control byte
};

// A CD drive on one letter with a disc in it, answering MCI cdaudio commands the way winmm
// with Wine's mcicda driver answers them: MSF after open, positions from a table of contents
// whose first track starts at 00:02:00, PLAY running on through the tracks to the end of the
// disc (then stopped, no notification), data tracks skipped by PLAY, the same error codes.
// The play head moves with the clock. The volume serial number is the one Windows derives
// for an audio disc. Also the back end of a drive without the platform's MCI.
class SimulatedCdDrive : public CdAudioBackend {
public:
    static constexpr DWORD firstTrackStart = 150;
    static constexpr int maxTracks = 99;

    // The clock is not owned; null means the tick count.
    explicit SimulatedCdDrive(char letter = 'D', Clock* clock = nullptr);

    MCIERROR SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params) override;
    int GetVolumeSerial(const char* root, DWORD* serial) override;

    // What happens outside the program. A disc goes in with the door closing behind it and
    // the head at its start; no tracks at all is a blank disc. Some discs start their first
    // track later than 00:02:00. Ejecting takes the disc out and closes the door again: an
    // empty drive.
    void InsertDisc(const std::vector<SimulatedTrack>& discTracks,
                    DWORD firstStart = firstTrackStart);
    void EjectDisc();
    void OpenDoor();
    void CloseDoor();
    // A disc with a file system reports that system's serial number instead.
    void SetFileSystemSerial(DWORD serial);
    // Another program starts the disc playing to its end.
    void PlayFromOutside(DWORD fromFrame);

    // Absolute start frame of a track, 1-based; the track after the last is the lead-out.
    DWORD TrackStart(int track) const;
    DWORD LeadOut() const;
    DWORD HeadFrame();
    // The play a sound output follows, numbered anew each time the head starts moving: it
    // plays frames from `from` up to (not including) `to`.
    struct PlayRun {
        bool playing = false, paused = false;
        bool resumed = false; // it goes on from a pause
        DWORD from = 0, to = 0;
        unsigned number = 0;
    };
    PlayRun CurrentRun();
    // The sound of the running play has all been heard: the play is over, whatever is left
    // of the frame the clock had not yet counted.
    void FinishRun();
    int OpenDeviceCount() const { return (int)devices.size(); }
    bool DoorOpen() const { return doorOpen; }

private:
    struct Device {
        MCIDEVICEID id;
        DWORD timeFormat;
    };
    enum class Motion { stopped, playing, paused };

    Device* FindDevice(MCIDEVICEID id);
    MCIERROR Open(DWORD flags, MCI_OPEN_PARMSA* params);
    MCIERROR Close(MCIDEVICEID id);
    MCIERROR Set(Device& device, DWORD flags, MCI_SET_PARMS* params);
    MCIERROR Play(Device& device, DWORD flags, MCI_PLAY_PARMS* params);
    MCIERROR Stop();
    MCIERROR Pause();
    MCIERROR Resume();
    MCIERROR Status(Device& device, DWORD flags, MCI_STATUS_PARMS* params);
    MCIERROR StatusLength(Device& device, DWORD flags, MCI_STATUS_PARMS* params) const;
    MCIERROR StatusPosition(Device& device, DWORD flags, MCI_STATUS_PARMS* params);
    MCIERROR StatusTrackType(DWORD flags, MCI_STATUS_PARMS* params) const;

    bool Readable() const { return hasDisc && !doorOpen; }
    MCIERROR ReadTableOfContents() const;
    bool HasTrack(DWORD track) const { return track >= 1 && track <= tracks.size(); }
    DWORD Mode();
    void Settle();
    int TrackAt(DWORD frame) const;
    DWORD ToFrame(DWORD format, DWORD value) const;
    DWORD FromFrame(DWORD format, DWORD frame) const;
    MCIERROR SkipDataTracks(DWORD* frame) const;
    void StartPlay(DWORD from, DWORD to, bool resumed = false);
    DWORD PlayedFrames() const;

    TickCountClock tickCount;
    Clock* clock;
    char letter;
    std::vector<Device> devices;
    MCIDEVICEID nextDeviceId = 1;

    std::vector<SimulatedTrack> tracks;
    std::vector<DWORD> starts; // one per track, then the lead-out
    bool hasDisc = false;
    bool doorOpen = false;
    bool hasFileSystemSerial = false;
    DWORD fileSystemSerial = 0;

    Motion motion = Motion::stopped;
    DWORD head = firstTrackStart; // where the head rests, or where the running play began
    DWORD playEnd = 0;
    DWORD playStartedAt = 0;
    unsigned runNumber = 0;
    bool runResumed = false;
};
