#pragma once

#include "devices/CdAudioBackend.h"
#include "devices/SimulatedCdDrive.h"

#include <string>
#include <vector>

class Clock;

// A CD drive without hardware: a disc image or the built-in demo disc in a drive letter of
// its own, answering every MCI command exactly as a real drive with that disc would (the
// simulated drive's rules: track table, data tracks, TMSF and MSF, run-on, end of disc, door,
// error codes). Without a sound device it keeps time by the clock and stays silent.
class VirtualCdDrive : public CdAudioBackend {
public:
    struct Disc {
        std::vector<SimulatedTrack> tracks;
        std::string performer, title;
        std::vector<std::string> trackTitles;
    };

    // The clock is not owned; null means the tick count.
    explicit VirtualCdDrive(char letter, Clock* clock = nullptr);

    MCIERROR SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params) override;
    int GetVolumeSerial(const char* root, DWORD* serial) override;

    // Puts a disc in, as closing the tray over a new disc does; an empty track list leaves
    // the drive empty.
    void Insert(const Disc& newDisc);
    void Eject();
    char Letter() const { return letter; }
    const Disc& Current() const { return disc; }
    SimulatedCdDrive& Mechanism() { return drive; }

private:
    char letter;
    SimulatedCdDrive drive;
    Disc disc;
};
