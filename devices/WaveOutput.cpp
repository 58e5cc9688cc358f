#include "devices/WaveOutput.h"

#include <algorithm>

namespace {

const char windowClass[] = "LumivoxenWaveOutput";
constexpr int bytesPerSample = 4; // 16-bit stereo

WAVEFORMATEX CdAudioFormat() {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = SampleSink::sampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = bytesPerSample;
    format.nAvgBytesPerSec = SampleSink::sampleRate * bytesPerSample;
    return format;
}

} // namespace

WaveOutput::WaveOutput(UINT deviceNumber) {
    for (Buffer& buffer : buffers)
        buffer.samples.resize(2 * size_t(bufferSamples));
    CreateMessageWindow();
    if (!window) {
        openResult = MMSYSERR_ERROR;
        return;
    }
    WAVEFORMATEX format = CdAudioFormat();
    openResult = waveOutOpen(&device, deviceNumber, &format, DWORD_PTR(window), 0, CALLBACK_WINDOW);
    if (openResult != MMSYSERR_NOERROR) device = nullptr;
}

WaveOutput::~WaveOutput() {
    if (device) {
        waveOutReset(device);
        ReleaseDone();
        waveOutClose(device);
    }
    if (window) DestroyWindow(window);
}

void WaveOutput::CreateMessageWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA type = {};
    type.lpfnWndProc = WindowProc;
    type.hInstance = instance;
    type.lpszClassName = windowClass;
    RegisterClassA(&type); // fails harmlessly when a second output registers it again
    window = CreateWindowExA(0, windowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                             nullptr);
    if (window) SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(this));
}

LRESULT CALLBACK WaveOutput::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* output = reinterpret_cast<WaveOutput*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == MM_WOM_DONE && output) {
        output->OnBufferDone();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Called for every played buffer, and also for buffers a reset returned long ago: each call
// looks at all buffers rather than at the one the message names.
// A played buffer that leaves none queued while there is sound to come: the device ran dry.
void WaveOutput::OnBufferDone() {
    ReleaseDone();
    const bool ranDry = std::none_of(buffers.begin(), buffers.end(),
                                     [](const Buffer& buffer) { return buffer.queued; });
    if (ranDry && source && !paused) underruns++;
    QueueFreeBuffers();
}

void WaveOutput::Refill() {
    ReleaseDone();
    QueueFreeBuffers();
}

void WaveOutput::QueueFreeBuffers() {
    for (Buffer& buffer : buffers)
        if (!buffer.queued && !FillAndQueue(buffer)) break;
}

bool WaveOutput::FillAndQueue(Buffer& buffer) {
    if (!source || !device) return false;
    int filled = 0;
    while (filled < bufferSamples) {
        const int got = source->Fill(buffer.samples.data() + 2 * filled, bufferSamples - filled);
        if (got <= 0) break;
        filled += got;
    }
    if (filled == 0) {
        source = nullptr; // the sound has ended
        return false;
    }
    buffer.header = {};
    buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
    buffer.header.dwBufferLength = DWORD(filled) * bytesPerSample;
    if (waveOutPrepareHeader(device, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR)
        return false;
    if (waveOutWrite(device, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(device, &buffer.header, sizeof buffer.header);
        return false;
    }
    buffer.queued = true;
    return true;
}

void WaveOutput::ReleaseDone() {
    for (Buffer& buffer : buffers) {
        if (!buffer.queued || !(buffer.header.dwFlags & WHDR_DONE)) continue;
        waveOutUnprepareHeader(device, &buffer.header, sizeof buffer.header);
        buffer.queued = false;
    }
}

// A reset sets the device's position back to 0: what was heard until then is kept aside.
void WaveOutput::DropQueued() {
    if (!device) return;
    heardBefore = PlayedSamples();
    waveOutReset(device);
    lastPosition = 0;
    wraps = 0;
    ReleaseDone();
}

void WaveOutput::Start(SampleSource& from) {
    DropQueued();
    source = &from;
    if (paused && device) waveOutRestart(device);
    paused = false;
    Refill();
}

void WaveOutput::Pause() {
    if (device && !paused) waveOutPause(device);
    paused = true;
}

void WaveOutput::Resume() {
    if (device && paused) waveOutRestart(device);
    paused = false;
}

void WaveOutput::Stop() {
    DropQueued();
    source = nullptr;
}

DWORD WaveOutput::DevicePosition() {
    MMTIME time = {};
    time.wType = TIME_SAMPLES;
    if (!device || waveOutGetPosition(device, &time, sizeof time) != MMSYSERR_NOERROR) return 0;
    if (time.wType == TIME_SAMPLES) return time.u.sample;
    if (time.wType == TIME_BYTES) return time.u.cb / bytesPerSample;
    return 0;
}

std::uint64_t WaveOutput::PlayedSamples() {
    const DWORD position = DevicePosition();
    if (position < lastPosition) wraps++; // the device counts in 32 bits: 27 hours
    lastPosition = position;
    return heardBefore + (wraps << 32) + position;
}

void WaveOutput::SetVolume(unsigned left, unsigned right) {
    if (device) waveOutSetVolume(device, MAKELONG(WORD(left), WORD(right)));
}
