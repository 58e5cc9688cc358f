// Prints what playing costs: the processor time the virtual drive spends on each second of
// sound it plays, for the demo disc (synthesised while it plays) and for disc images read
// from WAVE and FLAC files, through the wave output when there is a device. Under Wine the
// test environment's device is not paced, so the sound runs faster than real time; the
// figures are per second of sound, which is what a listener's machine spends. Then how long
// the GUI thread reads for at once: a buffer as one is played, and the whole queue after a
// seek.
#include "bench/Timing.h"
#include "demo/DemoDisc.h"
#include "devices/WMCIAudioCD.h"
#include "devices/WaveOutput.h"
#include "disc/DiscImage.h"
#include "disc/FlacFile.h"
#include "disc/WaveFile.h"
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

// A folder image of one track in a WAVE or FLAC file: the demo disc's first `seconds`.
std::string WriteImage(int seconds, const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "lvx-bench-image";
    CreateDirectoryA(folder.c_str(), nullptr);
    const DemoDisc demo;
    std::vector<std::int16_t> samples(2 * 588 * 75 * std::size_t(seconds));
    demo.ReadFrames(0, seconds * 75, samples.data());
    const std::string pcm(reinterpret_cast<const char*>(samples.data()), samples.size() * 2);
    const std::string bytes =
        std::string(name).find(".flac") != std::string::npos ? CdFlac(pcm) : CdWave(pcm);
    std::FILE* file = std::fopen((folder + "\\" + name).c_str(), "wb");
    if (!file) return "";
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return folder;
}

void RemoveImage(const std::string& folder, const char* name) {
    DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

// The GUI thread's longest reads: one buffer (median and worst over the disc, read on as it
// plays), and the whole queue from a new place, as after a seek (median).
void PrintReadTimes(const DiscImage& image, const char* what) {
    const int perBuffer = WaveOutput::bufferSamples / DiscAudio::samplesPerFrame;
    const int queue = perBuffer * WaveOutput::bufferCount;
    std::vector<std::int16_t> samples(std::size_t(queue) * DiscAudio::samplesPerFrame * 2);
    std::vector<double> buffers;
    for (std::int64_t f = 0; f + perBuffer <= image.LeadOut(); f += perBuffer) {
        const double start = NowMilliseconds();
        image.ReadFrames(f, perBuffer, samples.data());
        buffers.push_back(NowMilliseconds() - start);
    }
    std::int64_t at = 0;
    const double seek = MedianMilliseconds(9, [&] {
        at = (at + 977) % std::max<std::int64_t>(1, image.LeadOut() - queue);
        image.ReadFrames(at, queue, samples.data());
    });
    std::printf("%s: a buffer %.2f ms (worst %.2f), the %.0f s queue after a seek %.1f ms\n", what,
                Median(buffers), *std::max_element(buffers.begin(), buffers.end()),
                double(queue) / 75, seek);
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
    for (const char* name : {"01 Track.wav", "01 Track.flac"}) {
        const std::string folder = WriteImage(int(seconds) + 2, name);
        const bool flac = std::string(name).find(".flac") != std::string::npos;
        auto image = std::make_shared<const DiscImage>(folder);
        if (image->Valid()) {
            const double files = CostOfPlaying(VirtualDisc::FromImage(image), output, seconds);
            std::printf("playing a %s image    %8.3f %% of one core  ratio %5.2f\n",
                        flac ? "FLAC" : "WAVE", 100 * files, floor > 0 ? files / floor : 0);
            PrintReadTimes(*image, flac ? "  FLAC reads" : "  WAVE reads");
        }
        image.reset();
        RemoveImage(folder, name);
    }
    // What a busy machine may hold the GUI thread up for before a gap is heard.
    std::printf("sound queued ahead      %8.1f s in %d buffers; the device ran dry %u times\n",
                double(WaveOutput::bufferCount) * WaveOutput::bufferSamples / 44100,
                WaveOutput::bufferCount, output.Underruns());
    return 0;
}
