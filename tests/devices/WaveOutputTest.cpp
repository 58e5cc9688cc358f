// The wave output through the platform's real device. Under Wine the test environment's
// device writes every played sample to a file, so the test can hear what was played.
#include "devices/WaveOutput.h"

#include "support/SoundCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Numbered samples from `first` on, up to `total`, in pieces of the size asked for.
struct CountingSource : SampleSource {
    int next = 0, total = 0;
    explicit CountingSource(int first, int count) : next(first), total(first + count) {}
    int Fill(std::int16_t* samples, int count) override {
        int n = 0;
        for (; n < count && next < total; n++, next++) {
            samples[2 * n] = std::int16_t(next);
            samples[2 * n + 1] = std::int16_t(~next);
        }
        return n;
    }
};

std::vector<std::int16_t> Counted(int first, int count) {
    std::vector<std::int16_t> samples(2 * size_t(count));
    CountingSource(first, count).Fill(samples.data(), count);
    return samples;
}

// What the device played from the first appearance of `first` on: what came before was
// another test's.
std::vector<std::int16_t> Heard(std::int16_t first, size_t count) {
    const std::string bytes = CapturedSound();
    std::vector<std::int16_t> samples(bytes.size() / 2);
    memcpy(samples.data(), bytes.data(), samples.size() * 2);
    for (size_t i = 0; i + 1 < samples.size(); i += 2)
        if (samples[i] == first && samples[i + 1] == std::int16_t(~first)) {
            const size_t end = std::min(samples.size(), i + 2 * count);
            return std::vector<std::int16_t>(samples.begin() + long(i),
                                             samples.begin() + long(end));
        }
    return {};
}

// Serves the thread's messages, as the player's loop does, until the condition holds.
template <typename Condition> bool PumpUntil(Condition done, DWORD ms = 15000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(2);
    }
    return true;
}

// The platform's count runs a little ahead of what its device has taken; a reset would drop
// the rest before it reaches the file.
void LetTheDeviceFinish() {
    PumpUntil([] { return false; }, 400);
}

struct Wave : ::testing::Test {
    void SetUp() override {
        if (SoundCaptureFile().empty()) GTEST_SKIP() << "no capturing sound device here";
    }
};

TEST_F(Wave, AStartDropsTheQueueAndPauseHoldsTheCount) {
    CountingSource first(1000, 44100 * 5), second(20000, 44100);
    WaveOutput output;
    ASSERT_TRUE(output.Available());
    output.Start(first);
    ASSERT_TRUE(PumpUntil([&] { return output.PlayedSamples() > 5000; }));
    output.Pause();
    PumpUntil([] { return false; }, 100); // the count settles on what the device played
    const std::uint64_t held = output.PlayedSamples();
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(held, output.PlayedSamples()) << "a paused device plays nothing";
    output.Start(second); // also ends the pause
    ASSERT_TRUE(PumpUntil([&] { return output.PlayedSamples() >= held + 44100; }));
    EXPECT_EQ(held + 44100, output.PlayedSamples()) << "the count goes on across the reset";
    LetTheDeviceFinish();
    output.Stop();
    EXPECT_EQ(Counted(20000, 44100), Heard(20000, 44100));
}

void CALLBACK CloseTheWaitingBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND box = FindWindowA("#32770", "Waiting")) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// A message box's own loop (as a menu's, a dialog's or a drag's) dispatches the device's
// messages: the sound goes on under it, without a gap, to the source's last sample.
TEST_F(Wave, EverySampleIsPlayedInOrderAndCountedWhileAMessageBoxWaitsToo) {
    const int total = 6 * 44100 + 123; // longer than the queue, so that refills are needed
    CountingSource source(100, total);
    {
        WaveOutput output;
        ASSERT_TRUE(output.Available()) << output.OpenResult();
        output.Start(source);
        const int queued = source.next - 100;
        SetTimer(nullptr, 1, 1500, CloseTheWaitingBox);
        MessageBoxA(nullptr, "The sound plays on", "Waiting", MB_OK);
        EXPECT_GT(source.next - 100, queued + 44100) << "refilled while the box was up";
        ASSERT_TRUE(PumpUntil([&] { return output.PlayedSamples() >= std::uint64_t(total); }))
            << output.PlayedSamples();
        EXPECT_EQ(std::uint64_t(total), output.PlayedSamples()) << "no more than was played";
        EXPECT_EQ(0u, output.Underruns()) << "the device never ran dry";
        LetTheDeviceFinish();
    }
    EXPECT_EQ(Counted(100, total), Heard(100, total));
}

TEST(WaveWithoutDevice, ANumberNoDeviceHasIsRefusedAndTheSinkStaysSilent) {
    WaveOutput output(77);
    EXPECT_FALSE(output.Available());
    EXPECT_EQ(MMRESULT(MMSYSERR_BADDEVICEID), output.OpenResult());
    CountingSource source(0, 100);
    output.Start(source);
    EXPECT_EQ(0u, output.PlayedSamples());
    EXPECT_EQ(0, source.next) << "nothing is pulled without a device";
}

} // namespace
