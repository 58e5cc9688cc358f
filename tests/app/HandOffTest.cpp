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

std::string ProgramPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, strrchr(path, '\\'));
    return folder + "\\..\\bin\\lumivoxen.exe";
}

struct WindowSearch {
    DWORD processId;
    int found;
};

BOOL CALLBACK CountWindowsOfProcess(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) search->found++;
    return TRUE;
}

class HandOff : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = playerClass;
        RegisterClassA(&windowClass);
        player = CreateWindowA(playerClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(player);
        received.clear();
    }
    void TearDown() override {
        DestroyWindow(player);
        UnregisterClassA(playerClass, GetModuleHandleA(nullptr));
    }

    // Starts the program with the arguments and serves its messages until it ends.
    // Returns the number of top-level windows the program had while it ran.
    int StartSecondInstance(const std::string& arguments) {
        std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        EXPECT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &process));
        WindowSearch search = {process.dwProcessId, 0};
        for (;;) {
            DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 10000,
                                                   QS_ALLINPUT);
            EnumWindows(CountWindowsOfProcess, reinterpret_cast<LPARAM>(&search));
            if (wait != WAIT_OBJECT_0 + 1) break;
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        }
        DWORD exitCode = 99;
        GetExitCodeProcess(process.hProcess, &exitCode);
        EXPECT_EQ(0u, exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return search.found;
    }

    HWND player = nullptr;
};

TEST_F(HandOff, PlayRequestSendsOneCommandWithTheTrackInTheHighWord) {
    EXPECT_EQ(0, StartSecondInstance("/play D:\\Track05.cda"));
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ(WPARAM((5 << 16) | IDC_HANDOFF_PLAY), received[0].wParam);
    EXPECT_EQ(0, received[0].lParam);
}

TEST_F(HandOff, PointInAFolderNameStillGivesTheFilesTrack) {
    StartSecondInstance("/play D:\\My.Discs\\Track12.cda");
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ(WPARAM((12 << 16) | IDC_HANDOFF_PLAY), received[0].wParam);
}

TEST_F(HandOff, NoArgumentsOrNoPointSendsNothing) {
    EXPECT_EQ(0, StartSecondInstance(""));
    EXPECT_EQ(0, StartSecondInstance("/play"));
    EXPECT_EQ(0, StartSecondInstance("/play D:\\Track05"));
    EXPECT_TRUE(received.empty());
}

} // namespace
