#include "devices/AudioDiscSerial.h"

DWORD AudioDiscSerial::PackMsf(DWORD frame) {
    return ((frame / framesPerMinute) << 16) + (((frame / framesPerSecond) % 60) << 8) +
           frame % framesPerSecond;
}

void AudioDiscSerial::AddTrackStart(DWORD startFrame) {
    if (trackCount == 0) firstStart = startFrame;
    sum += PackMsf(startFrame);
    trackCount++;
}

DWORD AudioDiscSerial::Finish(DWORD leadOutFrame) const {
    if (trackCount >= 3) return sum;
    // Few tracks give few distinct sums: the disc's length tells such discs apart.
    return sum + (leadOutFrame - firstStart);
}
