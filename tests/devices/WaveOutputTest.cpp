// The wave output through the platform's real device; what it plays is heard by the program
// run's test of sound, sample for sample.
#include "devices/WaveOutput.h"

#include "support/SoundCapture.h"

#include <gtest/gtest.h>

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
