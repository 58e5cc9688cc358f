// The real program started in a folder of its own: it becomes the player, keeps one window,
// and on close saves its settings beside itself and ends with code 0.
#include "ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

const char playerClass[] = "LumivoxenCDPlayer";

HWND WaitForPlayerWindow() {
    for (int i = 0; i < 200; i++) {
        if (HWND window = FindWindowA(playerClass, nullptr)) return window;
        Sleep(25);
    }
    return nullptr;
}

TEST(StartUp, BecomesTheOnlyPlayerAndSavesSettingsBesideItselfOnClose) {
    TempFolder folder;
    const std::string program = folder.File("lumivoxen.exe");
    ASSERT_TRUE(CopyFileA(ProgramRun::BuiltProgram().c_str(), program.c_str(), FALSE));
    folder.Write("lumivoxe.ini", "; kept\r\n[position]\r\nx=-271\r\ny=30\r\n[options]\r\n"
                                 "repeattrack=5\r\n[mine]\r\nkey=value\r\n");
    ProgramRun player("", program);
    ASSERT_TRUE(player.started);
    HWND window = WaitForPlayerWindow();
    ASSERT_TRUE(window);
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("Lumevoxen CD Player", title);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(275, rect.right - rect.left);
    EXPECT_EQ(116, rect.bottom - rect.top);
    EXPECT_EQ(50, rect.left); // an x left of -270 puts the player back on the screen
    EXPECT_EQ(50, rect.top);

    ProgramRun second("/play D:\\Track02.cda", program);
    EXPECT_EQ(0u, second.WaitForExit(10000));
    EXPECT_EQ(window, FindWindowA(playerClass, nullptr));
    EXPECT_FALSE(FindWindowExA(nullptr, window, playerClass, nullptr));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, player.WaitForExit(10000));
    EXPECT_FALSE(FindWindowA(playerClass, nullptr));
    std::string saved = folder.Read("lumivoxe.ini");
    for (const char* text :
         {"; kept", "key=value", "repeattrack=5", "introplaylen=15", "x=50", "name=."})
        EXPECT_NE(std::string::npos, saved.find(text)) << text;
}

} // namespace
