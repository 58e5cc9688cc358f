#pragma once

#include <cstdint>

// What a sound output pulls its samples from, a buffer at a time, as the device has room.
class SampleSource {
public:
    virtual ~SampleSource() = default;
    // Up to `count` interleaved stereo samples; none once the sound has ended.
    virtual int Fill(std::int16_t* samples, int count) = 0;
};

// Where a virtual drive's sound goes: the wave output device, or a recorder in tests. Every
// call comes from the one GUI thread, and so do the sink's pulls from its source.
class SampleSink {
public:
    static constexpr int sampleRate = 44100;

    virtual ~SampleSink() = default;
    // False when there is no device to play on: the drive then keeps time by the clock.
    virtual bool Available() const = 0;
    // Drops whatever is queued and plays the source from now on, until it gives no more.
    virtual void Start(SampleSource& source) = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // Drops whatever is queued: silence at once.
    virtual void Stop() = 0;
    // Stereo samples heard since the sink was made, never going back.
    virtual std::uint64_t PlayedSamples() = 0;
    // 0 .. 65535 a channel, as the mixer's volume controls.
    virtual void SetVolume(unsigned left, unsigned right) = 0;
};
