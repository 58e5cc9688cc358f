#pragma once

#include <cstdint>

// The sound of a disc that exists only as data (an image, the demo disc): 588 stereo samples
// a frame, frame 0 being the first track's start with the lead-in not counted.
class DiscAudio {
public:
    static constexpr int samplesPerFrame = 588;

    virtual ~DiscAudio() = default;
    // Interleaved 16-bit stereo, little-endian; silence wherever the disc has no sound.
    virtual void ReadFrames(std::int64_t firstFrame, int count, std::int16_t* samples) const = 0;
};
