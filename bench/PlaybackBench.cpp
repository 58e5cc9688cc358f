// Prints what playing costs: the processor time the virtual drive spends on each second of
// sound it plays, for the demo disc (synthesised while it plays) and for a disc image read
// from files, through the wave output when there is a device. Under Wine the test
// environment's device is not paced, so the sound runs faster than real time; the figures
// are per second of sound, which is what a listener's machine spends.
#include "demo/DemoDisc.h"
#include "devices/WMCIAudioCD.h"
#include "devices/WaveOutput.h"
#include "disc/DiscImage.h"
#include "vdrive/VirtualCdDrive.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

double ProcessSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](FILETIME t) {
        return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Plays `seconds` of the disc from track 1 on and returns processor seconds per second
// of sound heard.
double CostOfPlaying(const VirtualDisc& disc, WaveOutput& output, double seconds) {
    VirtualCdDrive drive('V', nullptr, &output);
    drive.Insert(disc);
    WMCIAudioCD cd(&drive);
    cd.Open("V:");
    const double cpuBefore = ProcessSeconds();
    const DWORD start = GetTickCount();
    cd.PlayFrom(1, 0, 0, 0);
    const std::uint64_t heardBefore = output.PlayedSamples();
    const std::uint64_t wanted = std::uint64_t(seconds * 44100);
    while (output.PlayedSamples() - heardBefore < wanted && GetTickCount() - start < 120000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        int track = 0;
        cd.GetCurrentTrack(&track); // what the status tick asks
    }
    const double heard = double(output.PlayedSamples() - heardBefore) / 44100;
    cd.Stop();
    return heard > 0 ? (ProcessSeconds() - cpuBefore) / heard : 0;
}

// The floor: the same device playing silence handed over from memory, so that what the
// platform's own sound path costs is counted once and seen apart.
double CostOfSilence(WaveOutput& output, double seconds) {
    struct Silence : SampleSource {
        int Fill(std::int16_t* samples, int count) override {
            std::fill(samples, samples + 2 * count, std::int16_t(0));
            return count;
        }
    } silence;
    const double cpuBefore = ProcessSeconds();
    const std::uint64_t heardBefore = output.PlayedSamples();
    output.Start(silence);
    const DWORD start = GetTickCount();
    while (output.PlayedSamples() - heardBefore < std::uint64_t(seconds * 44100) &&
           GetTickCount() - start < 120000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    const double heard = double(output.PlayedSamples() - heardBefore) / 44100;
    output.Stop();
    return heard > 0 ? (ProcessSeconds() - cpuBefore) / heard : 0;
}

void Put32(std::FILE* file, std::uint32_t v) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
        static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::fwrite(bytes, 1, 4, file);
}

// A folder image of one WAVE track: the demo disc's first `seconds`, written out.
std::string WriteImage(int seconds) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "lvx-bench-image";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::FILE* file = std::fopen((folder + "\\01 Track.wav").c_str(), "wb");
    if (!file) return "";
    const DemoDisc demo;
    const std::uint32_t frames = std::uint32_t(seconds) * 75, bytes = frames * 2352;
    std::fwrite("RIFF", 1, 4, file), Put32(file, 36 + bytes), std::fwrite("WAVEfmt ", 1, 8, file);
    Put32(file, 16), Put32(file, 0x00020001), Put32(file, 44100), Put32(file, 44100 * 4);
    Put32(file, 0x00100004), std::fwrite("data", 1, 4, file), Put32(file, bytes);
    std::vector<std::int16_t> samples(2 * 588 * 75);
    for (std::uint32_t f = 0; f < frames; f += 75) {
        demo.ReadFrames(f, 75, samples.data());
        std::fwrite(samples.data(), 2, samples.size(), file);
    }
    std::fclose(file);
    return folder;
}

void RemoveImage(const std::string& folder) {
    DeleteFileA((folder + "\\01 Track.wav").c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? atof(argv[1]) : 60;
    WaveOutput output;
    if (!output.Available()) {
        std::printf("playback: no wave output device here, nothing to measure\n");
        return 0;
    }
    const double floor = CostOfSilence(output, seconds);
    std::printf("per second of sound, %.0f s each (ratio = ours / the device playing silence)\n",
                seconds);
    std::printf("the device, silence     %8.3f %% of one core\n", 100 * floor);
    const double demo = CostOfPlaying(VirtualDisc::Demo(), output, seconds);
    std::printf("playing the demo disc   %8.3f %% of one core  ratio %5.2f\n", 100 * demo,
                floor > 0 ? demo / floor : 0);
    const std::string folder = WriteImage(int(seconds) + 2);
    auto image = std::make_shared<const DiscImage>(folder);
    if (image->Valid()) {
        const double files = CostOfPlaying(VirtualDisc::FromImage(image), output, seconds);
        std::printf("playing a WAVE image    %8.3f %% of one core  ratio %5.2f\n", 100 * files,
                    floor > 0 ? files / floor : 0);
    }
    image.reset();
    RemoveImage(folder);
    // What a busy machine may hold the GUI thread up for before a gap is heard.
    std::printf("sound queued ahead      %8.1f s in %d buffers; the device ran dry %u times\n",
                double(WaveOutput::bufferCount) * WaveOutput::bufferSamples / 44100,
                WaveOutput::bufferCount, output.Underruns());
    return 0;
}
