#pragma once

#include "devices/CdAudioBackend.h"
#include "devices/SampleSink.h"
#include "devices/SimulatedCdDrive.h"
#include "vdrive/VirtualDisc.h"

#include <cstdint>

// A CD drive without hardware: a disc image or the built-in demo disc in a drive letter of
// its own, answering every MCI command exactly as a real drive with that disc would (the
// simulated drive's rules: track table, data tracks, TMSF and MSF, run-on, end of disc, door,
// error codes). Its sound goes to a sample sink, and then the play head follows the samples
// heard; without a sink (or a sound device) it keeps time by the clock and stays silent.
class VirtualCdDrive : public CdAudioBackend, private SampleSource {
public:
    // Neither the clock nor the sink is owned; a null clock means the tick count.
    VirtualCdDrive(char letter, Clock* clock = nullptr, SampleSink* sink = nullptr);
    ~VirtualCdDrive() override;
    VirtualCdDrive(const VirtualCdDrive&) = delete;
    VirtualCdDrive& operator=(const VirtualCdDrive&) = delete;

    // The letter for the virtual drive among the system's drives (GetLogicalDrives): V, else
    // the first free one after it, else before it; 0 when all 26 are taken.
    static char FreeLetter(DWORD logicalDrives);

    MCIERROR SendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params) override;
    int GetVolumeSerial(const char* root, DWORD* serial) override;

    // Puts a disc in, as closing the tray over a new disc does; an empty disc leaves the
    // drive empty.
    void Insert(const VirtualDisc& newDisc);
    void Eject();
    char Letter() const { return letter; }
    const VirtualDisc& Current() const { return disc; }
    // The disc identifier the player files the current disc under; empty without a disc.
    std::string DiscId();

    // The drive's own output volume, 0 .. 65535 a channel, for machines whose mixer has no
    // CD audio line.
    void SetVolume(unsigned left, unsigned right);
    void SetMute(bool muted);
    unsigned LeftVolume() const { return leftVolume; }
    unsigned RightVolume() const { return rightVolume; }
    bool Muted() const { return muted; }

private:
    // Time as the samples heard tell it, rounded up so that a run ends on its last sample.
    class HeardClock : public Clock {
    public:
        explicit HeardClock(SampleSink* sink) : sink(sink) {}
        DWORD Milliseconds() override;

    private:
        SampleSink* sink;
    };

    int Fill(std::int16_t* samples, int count) override;
    void FollowThePlay();
    void StartSound(const SimulatedCdDrive::PlayRun& run);
    void StopSound();
    bool SoundEnded();
    void ApplyVolume();

    char letter;
    SampleSink* sink;
    HeardClock heardClock;
    SimulatedCdDrive drive;
    VirtualDisc disc;

    unsigned followedRun = 0;
    bool soundRunning = false; // started and not stopped, though maybe all heard
    bool soundPaused = false;
    DWORD nextFrame = 0, endFrame = 0; // what the sink is still to get of the run
    int skipSamples = 0;               // of the run's first frame, heard before a stop
    std::uint64_t runFirstSample = 0;  // on the disc, in samples from frame 0
    std::uint64_t runStartMark = 0;    // the sink's count of samples heard when it began
    std::uint64_t runFedSamples = 0;
    std::uint64_t stoppedAtSample = UINT64_MAX;

    unsigned leftVolume = 65535, rightVolume = 65535;
    bool muted = false;
};
