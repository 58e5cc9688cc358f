// A second start of the real program while a "player" (a window of the player's class, made
// here) runs: what it sends, and that it makes no window of its own.
#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

const char playerClass[] = "LumivoxenCDPlayer";

std::vector<MSG> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) received.push_back({window, message, wParam, lParam, 0, {0, 0}});
    return DefWindowProcA(window, message, wParam, lParam);
}

int windowsSeen = 0;

BOOL CALLBACK CountWindowsOfProcess(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    windowsSeen += owner == DWORD(processId);
    return TRUE;
}

// Starts the program with the arguments and serves its messages until it ends.
// Returns the number of top-level windows the program had while it ran.
int StartSecondInstance(const std::string& arguments) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string commandLine =
        "\"" + std::string(path, strrchr(path, '\\')) + "\\..\\bin\\lumivoxen.exe\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    EXPECT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    windowsSeen = 0;
    for (;;) {
        DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 10000, QS_ALLINPUT);
        EnumWindows(CountWindowsOfProcess, process.dwProcessId);
        if (wait != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return windowsSeen;
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
        EXPECT_EQ(0, StartSecondInstance(c.arguments));
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
