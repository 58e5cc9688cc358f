// A second start of the real program while a "player" (a window of the player's class, made
// here) runs: what it sends, and that it makes no window of its own.
#include "ProgramRun.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char playerClass[] = "LumivoxenCDPlayer";

std::vector<MSG> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) received.push_back({window, message, wParam, lParam, 0, {0, 0}});
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(HandOff, SendsOneCommandWithTheTrackInTheHighWordOrNothing) {
    WNDCLASSA windowClass = {0,       RecordingProc, 0,       0,       GetModuleHandleA(nullptr),
                             nullptr, nullptr,       nullptr, nullptr, playerClass};
    RegisterClassA(&windowClass);
    HWND player = CreateWindowA(playerClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(player);
    const struct {
        const char* arguments;
        int track; // 0: nothing is sent
    } cases[] = {{"/play D:\\Track05.cda", 5},
                 {"/play D:\\My.Discs\\Track12.cda", 12},
                 {"", 0},
                 {"/play", 0},
                 {"/play D:\\Track05", 0}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        received.clear();
        ProgramRun second(c.arguments);
        EXPECT_EQ(0u, second.WaitForExit(10000));
        EXPECT_EQ(0, second.windowsSeen);
        EXPECT_EQ(c.track ? 1u : 0u, received.size());
        if (c.track && received.size() == 1) {
            EXPECT_EQ(WPARAM((c.track << 16) | IDC_HANDOFF_PLAY), received[0].wParam);
            EXPECT_EQ(0, received[0].lParam);
        }
    }
    DestroyWindow(player);
    UnregisterClassA(playerClass, GetModuleHandleA(nullptr));
}

} // namespace
