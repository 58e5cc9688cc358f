// Loading and saving the settings on real files; the test prefix has CD-ROM drives D: and F:.
#include "app/Settings.h"

#include "app/Globals.h"
#include "app/WIniKey.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const optionKeys[] = {
    "minimizeonstart", "minimizetotray", "snapwindow",   "showplaylist", "elapsedtime",
    "repeatplaylist",  "repeattrack",    "exitonremove", "alwaysontop",  "showtooltip",
    "stoponexit",      "playonstart",    "introplay",    "randomintro",  "introplaylen",
    "autoswitch",      "keyshortcuts",   "lockvolume",   "snappixel",    "escminimize"};

class SettingsFile : public ::testing::Test {
protected:
    TempFolder folder;

    Settings Load(const std::string& text) {
        folder.Write("lumivoxe.ini", text);
        Settings values;
        LoadSettings(WIniKey(folder.File("lumivoxe.ini").c_str()), values);
        return values;
    }
    std::string Read(const char* section, const char* key) {
        char text[100];
        GetPrivateProfileStringA(section, key, "(none)", text, sizeof text,
                                 folder.File("lumivoxe.ini").c_str());
        return text;
    }
};

void ExpectSameOptions(const Settings& expected, const Settings& actual) {
    EXPECT_EQ(0, memcmp(&expected, &actual, offsetof(Settings, skinName)));
}

TEST(CdDrives, ListsTheCdRomLettersInDriveOrder) {
    char letters[27] = "junk";
    EnumCdDrives(letters);
    EXPECT_STREQ("DF", letters);
}

TEST_F(SettingsFile, MissingOrEmptyFileGivesTheDefaults) {
    Settings defaults;
    for (Settings loaded : {Load(""), Load("[options]\r\n[skin]\r\nname=\r\n[position]\r\n")}) {
        ExpectSameOptions(defaults, loaded);
        EXPECT_STREQ(".", loaded.skinName);
        EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 100, 100}),
                  (std::vector<int>{loaded.x, loaded.y, loaded.playlistX, loaded.playlistY,
                                    loaded.playlistW, loaded.playlistH}));
        EXPECT_STREQ("D:", loaded.drive);
    }
    Settings fromNothing;
    LoadSettings(WIniKey(folder.File("none\\lumivoxe.ini").c_str()), fromNothing);
    ExpectSameOptions(defaults, fromNothing);
}

TEST_F(SettingsFile, WindowsOutsideTheScreenComeBack) {
    const int cx = GetSystemMetrics(SM_CXFULLSCREEN), cy = GetSystemMetrics(SM_CYFULLSCREEN);
    struct {
        int x, y;
        bool kept;
    } cases[] = {{-270, -110, true},     {-271, 0, false},   {0, -111, false},
                 {cx - 5, cy - 5, true}, {cx - 4, 0, false}, {0, cy - 4, false}};
    for (auto& c : cases) {
        std::string xy = "x=" + std::to_string(c.x) + "\r\ny=" + std::to_string(c.y) + "\r\n";
        Settings loaded = Load("[position]\r\n" + xy + "[playlist]\r\n" + xy + "w=7\r\nh=9\r\n");
        SCOPED_TRACE(xy);
        std::vector<int> expected = {50, 50, 100, 100, 7, 9};
        if (c.kept) expected = {c.x, c.y, c.x, c.y, 7, 9};
        EXPECT_EQ(expected,
                  (std::vector<int>{loaded.x, loaded.y, loaded.playlistX, loaded.playlistY,
                                    loaded.playlistW, loaded.playlistH}));
    }
}

TEST_F(SettingsFile, DriveMustBeACdRomDrive) {
    const char* cases[][2] = {{"F:", "F:"},   {"F:\\", "F:"}, {"f:", "f:"}, {"C:", "D:"},
                              {"E:\\", "D:"}, {"", "D:"},     {"\\", "D:"}, {"F", "D:"}};
    for (auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_STREQ(c[1], Load(std::string("[options]\r\ndrive=") + c[0] + "\r\n").drive);
    }
}

TEST_F(SettingsFile, ValuesRoundTripAndTheRestOfTheFileStays) {
    const std::string others = "; my notes\r\n[playlist]\r\nx=3\r\n\r\n";
    Settings values = Load(others + "[Options]\r\nminimizetotray=\r\nsnapwindow=abc\r\n"
                                    "alwaysontop=5\r\nrepeattrack=5\r\nintroplaylen= 33 \r\n"
                                    "[skin]\r\nname=Dark Steel\r\n");
    EXPECT_EQ(1, values.minimizeToTray);
    EXPECT_EQ(0, values.snapWindow);
    EXPECT_EQ(33, values.introPlayLen);
    EXPECT_STREQ("Dark Steel", values.skinName);

    values.repeatTrack = 0; // toggled by the user
    values.snapPixel = -45;
    SaveSettings(WIniKey(folder.File("lumivoxe.ini").c_str()), values, nullptr);
    Settings reloaded;
    LoadSettings(WIniKey(folder.File("lumivoxe.ini").c_str()), reloaded);
    ExpectSameOptions(values, reloaded);
    EXPECT_STREQ(values.skinName, reloaded.skinName);
    EXPECT_EQ("5", Read("options", "alwaysontop"));
    for (const char* key : optionKeys) {
        std::string text = Read("options", key);
        EXPECT_EQ(std::to_string(atoi(text.c_str())), text) << key;
    }
    EXPECT_EQ("D:", Read("options", "drive"));
    EXPECT_EQ("(none)", Read("position", "x"));
    EXPECT_EQ(0u, folder.Read("lumivoxe.ini").find(others));
}

// The player saves from its WM_DESTROY, as the player window does.
LRESULT CALLBACK SavingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) SaveSettings();
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(SettingsFile, PositionIsSavedAtDestructionUnlessMinimized) {
    WNDCLASSA windowClass = {0,       SavingProc, 0,       0,       GetModuleHandleA(nullptr),
                             nullptr, nullptr,    nullptr, nullptr, "LumivoxenCDPlayer"};
    RegisterClassA(&windowClass);
    WIniKey file(folder.File("lumivoxe.ini").c_str());
    WIniKey* previous = settingsFile;
    settingsFile = &file;
    for (DWORD style : {DWORD(WS_MINIMIZE), DWORD(0)}) {
        HWND player = CreateWindowA("LumivoxenCDPlayer", "", WS_POPUP | style, 123, 45, 60, 30,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(player);
        DestroyWindow(player);
        std::string expected = style ? "(none)" : "123";
        EXPECT_EQ(expected, Read("position", "x"));
    }
    settingsFile = previous;
    EXPECT_EQ("45", Read("position", "y"));
    UnregisterClassA("LumivoxenCDPlayer", GetModuleHandleA(nullptr));
}

} // namespace
