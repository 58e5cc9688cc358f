#pragma once

#include "devices/SampleSink.h"

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <cstdint>
#include <vector>

// The sound card's wave output, 44.1 kHz 16-bit stereo, run on the GUI thread: the device
// reports each played buffer as a message to a window of ours, and the buffer is filled again
// from the source there. Menus, dialogs, message boxes and drags dispatch those messages in
// their own loops, so none of them starves the sound; no thread is needed.
class WaveOutput : public SampleSink {
public:
    // Twenty buffers of a fifth of a second: 4 s queued, so a busy machine that holds the GUI
    // thread up for seconds is still not heard; a stop or seek drops the queue at once.
    static constexpr int bufferCount = 20;
    static constexpr int bufferSamples = 15 * 588;

    // The device to open; the mapper picks the user's default one.
    explicit WaveOutput(UINT device = WAVE_MAPPER);
    ~WaveOutput() override;
    WaveOutput(const WaveOutput&) = delete;
    WaveOutput& operator=(const WaveOutput&) = delete;

    bool Available() const override { return device != nullptr; }
    void Start(SampleSource& source) override;
    void Pause() override;
    void Resume() override;
    void Stop() override;
    std::uint64_t PlayedSamples() override;
    void SetVolume(unsigned left, unsigned right) override;

    // The device's answer when it would not open (MMSYSERR_NOERROR once open).
    MMRESULT OpenResult() const { return openResult; }
    // How often the device ran dry while there was sound to play: each time, the listener
    // heard a gap of silence.
    unsigned Underruns() const { return underruns; }

private:
    struct Buffer {
        WAVEHDR header = {};
        std::vector<std::int16_t> samples;
        bool queued = false;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateMessageWindow();
    void OnBufferDone();
    void Refill();
    void QueueFreeBuffers();
    bool FillAndQueue(Buffer& buffer);
    void ReleaseDone();
    void DropQueued();
    DWORD DevicePosition();

    HWND window = nullptr;
    HWAVEOUT device = nullptr;
    MMRESULT openResult = MMSYSERR_NOERROR;
    std::array<Buffer, bufferCount> buffers;
    SampleSource* source = nullptr;
    bool paused = false;
    std::uint64_t heardBefore = 0; // samples heard up to the last reset of the device
    DWORD lastPosition = 0;
    std::uint64_t wraps = 0;
    unsigned underruns = 0;
};
