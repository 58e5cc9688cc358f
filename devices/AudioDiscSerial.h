#pragma once

#include <windows.h>

// The volume serial number Windows gives an audio CD (no file system to read one from):
// the sum over all tracks of each track's absolute start address packed as
// (minutes << 16) + (seconds << 8) + frames; a disc of fewer than three tracks also adds the
// disc's length in frames (lead-out - first start). Keys of the disc database come from it,
// so it must match bit for bit.
class AudioDiscSerial {
public:
    static constexpr DWORD framesPerSecond = 75;
    static constexpr DWORD framesPerMinute = 60 * framesPerSecond;

    // Feed the start frames (absolute, 150 for 00:02:00) in track order.
    void AddTrackStart(DWORD startFrame);
    // The serial once every track is added; leadOutFrame is the lead-out's start frame.
    DWORD Finish(DWORD leadOutFrame) const;

    static DWORD PackMsf(DWORD frame);

private:
    DWORD sum = 0;
    DWORD trackCount = 0;
    DWORD firstStart = 0;
};
