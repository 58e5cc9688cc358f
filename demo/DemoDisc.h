#pragma once

#include "disc/DiscAudio.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The disc the player holds when there is neither a drive nor an image: pieces of our own
// music, synthesised from their scores while they play. Every sample is a function of the
// track and its position alone, in integer arithmetic, so any buffers give the same bytes on
// every machine and a seek costs no more than playing from the start.
class DemoDisc : public DiscAudio {
public:
    static const int sampleRate = 44100;

    DemoDisc();

    int TrackCount() const;
    uint32_t TrackFrames(int track) const; // 1-based; 0 for no such track
    const char* Artist() const;
    const char* Album() const;
    const char* TrackName(int track) const; // "" for no such track

    // sampleCount stereo samples, so twice as many values, left first, of the track from
    // firstSample on; silence past its end and for tracks it does not have.
    void Render(int track, uint64_t firstSample, int16_t* interleavedStereo,
                size_t sampleCount) const;

    // The tracks lie end to end, each a whole number of frames.
    void ReadFrames(std::int64_t firstFrame, int count, std::int16_t* samples) const override;

    // Note samples synthesised and notes looked at, since the disc was made.
    uint64_t WorkDone() const { return work_; }

private:
    struct Tracks;
    std::shared_ptr<const Tracks> tracks_;
    mutable uint64_t work_ = 0;
};
