// Loading and saving the settings on real files; the test prefix has CD-ROM drives D: and F:.
#include "app/Globals.h"
#include "app/Settings.h"

#include "app/WIniKey.h"
#include "support/RenameCounter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    TempFolder folder;
    WIniKey file{folder.File("lumivoxe.ini").c_str()};

    Settings Load(const std::string& text) {
        folder.Write("lumivoxe.ini", text);
        Settings values;
        LoadSettings(file, values);
        return values;
    }
};

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
        std::vector<int> expected = {50, 50, 100, 100, 7, 9, 1, 1};
        if (c.kept) expected = {c.x, c.y, c.x, c.y, 7, 9, 1, 1};
        EXPECT_EQ(expected, (std::vector<int>{loaded.x, loaded.y, loaded.playlistX,
                                              loaded.playlistY, loaded.playlistW, loaded.playlistH,
                                              loaded.positionStored, loaded.playlistStored}))
            << xy;
    }
    // Nothing stored: each window opens where a first start puts it.
    Settings first = Load("[playlist]\r\nh=300\r\n");
    EXPECT_EQ((std::vector<int>{0, 1}),
              (std::vector<int>{first.positionStored, first.playlistStored}));
}

TEST_F(SettingsFile, DriveMustBeACdRomDriveOrElseTheFirstOne) {
    const char* cases[][2] = {{"F:\\", "F:"}, {"f:", "f:"}, {"C:", "D:"}, {"", "D:"}, {"F", "D:"}};
    for (auto& c : cases)
        EXPECT_STREQ(c[1], Load(std::string("[options]\r\ndrive=") + c[0] + "\r\n").drive) << c[0];
}

// The virtual drive's letter is no drive of the system, yet a CD drive to the player.
TEST_F(SettingsFile, TheVirtualDriveIsListedInDriveOrderAndKeptAsTheDrive) {
    if (GetDriveTypeA("D:\\") != DRIVE_CDROM) GTEST_SKIP() << "no CD-ROM drives D: and F:";
    virtualDriveLetter = 'E';
    char letters[27];
    EnumCdDrives(letters);
    EXPECT_STREQ("DEF", letters);
    EXPECT_STREQ("e:", Load("[options]\r\ndrive=e:\r\ndiscimage=C:\\a b\\x.cue\r\n").drive);
    EXPECT_STREQ("C:\\a b\\x.cue", Load("[options]\r\ndiscimage=C:\\a b\\x.cue\r\n").discImage);
    virtualDriveLetter = 0;
    EXPECT_STREQ("D:", Load("[options]\r\ndrive=e:\r\n").drive) << "gone with the drive";
}

TEST_F(SettingsFile, ValuesRoundTripAndPositionIsNotSavedWhileMinimized) {
    Settings values = Load("[options]\r\nminimizetotray=\r\nsnapwindow=0\r\nrepeattrack=5\r\n"
                           "[skin]\r\nname=Dark Steel\r\n");
    EXPECT_EQ(1, values.minimizeToTray); // an empty value keeps the default
    values.snapPixel = -45;
    RenameCounter renames(folder.Path());
    for (DWORD style : {DWORD(WS_MINIMIZE), DWORD(0)}) {
        HWND window = CreateWindowA("STATIC", "", WS_POPUP | style, 123, 45, 60, 30, nullptr,
                                    nullptr, nullptr, nullptr);
        SaveSettings(file, values, window);
        DestroyWindow(window);
        EXPECT_EQ(!style, folder.Read("lumivoxe.ini").find("[position]") != std::string::npos);
    }
    EXPECT_EQ(2, renames.Onto("lumivoxe.ini")) << "each save replaces the file once";
    // Flags keep their value, not just 1.
    for (const char* line : {"x=123", "y=45", "repeattrack=5"})
        EXPECT_NE(std::string::npos, folder.Read("lumivoxe.ini").find(line)) << line;
    Settings reloaded = Load(folder.Read("lumivoxe.ini"));
    reloaded.x = reloaded.y = 0;
    EXPECT_EQ(0, memcmp(&values, &reloaded, offsetof(Settings, drive) + sizeof values.drive));
}

// The own output's volume stays within a channel's range, whatever the file says.
TEST_F(SettingsFile, TheOwnOutputVolumeIsKeptWithinAChannelsRange) {
    Settings values = Load("[output]\r\nleft=-1\r\nright=70000\r\nmute=1\r\n");
    EXPECT_EQ(std::vector<int>({0, 65535, 1}),
              std::vector<int>({values.outputLeft, values.outputRight, values.outputMute}));
    values.outputLeft = 12300;
    SaveSettings(file, values, nullptr);
    EXPECT_EQ(12300, Load(folder.Read("lumivoxe.ini")).outputLeft);
    EXPECT_EQ(65535, Load("").outputRight);
}

// The recent images: newest first, five at most, each once whatever its letter case, read
// from the keys 1 .. 5 without empty ones and repeats; what is saved reads back the same.
TEST_F(SettingsFile, RecentImagesAreFiveNewestFirstEachOnce) {
    const struct {
        const char* stored;
        std::vector<std::string> added;
        const char* removed;
        const char* listed;
    } rows[] = {{"", {"a", "b"}, "", "b|a|"},
                {"", {"a", "b", "A"}, "", "A|b|"},
                {"", {"1", "2", "3", "4", "5", "6"}, "", "6|5|4|3|2|"},
                {"1=x\r\n2=\r\n3=X\r\n4=y\r\n5=z\r\n6=w\r\n", {}, "", "x|y|z|"},
                {"1=C:\\A.cue\r\n2=d\r\n", {}, "c:\\a.CUE", "d|"},
                {"1=C:\\A.cue\r\n2=d\r\n", {}, "D", "C:\\A.cue|"}};
    for (const auto& r : rows) {
        Settings values = Load(std::string("[recent]\r\n") + r.stored);
        for (const std::string& path : r.added)
            values.recentImages.Add(path);
        values.recentImages.Remove(r.removed);
        auto listed = [](const Settings& v) {
            std::string text;
            for (const std::string& path : v.recentImages.Paths())
                text += path + "|";
            return text;
        };
        EXPECT_EQ(r.listed, listed(values)) << r.stored;
        SaveSettings(file, values, nullptr);
        EXPECT_EQ(r.listed, listed(Load(folder.Read("lumivoxe.ini")))) << r.stored;
    }
}

// An empty file, one with only other sections, and no file at all: every default, and the
// first CD-ROM drive of the test machine's D: and F:.
TEST_F(SettingsFile, EmptyOrMissingFilesGiveExactlyTheDefaults) {
    char letters[27] = "x";
    EnumCdDrives(letters);
    EXPECT_STREQ("DF", letters);
    Settings expected;
    strcpy(expected.drive, "D:");
    const std::vector<int> defaults = {0, 1, 1, 0,  1, 0, 0, 0,  0, 1, 1,
                                       0, 0, 0, 15, 0, 1, 0, 10, 0, 0};
    const char* const texts[] = {"", "[other]\r\nx=1\r\n", nullptr};
    for (const char* text : texts) {
        if (!text) DeleteFileA(folder.File("lumivoxe.ini").c_str());
        Settings loaded = text ? Load(text) : Settings();
        if (!text) LoadSettings(file, loaded);
        EXPECT_EQ(defaults, std::vector<int>(&loaded.minimizeOnStart, &loaded.scale + 1));
        EXPECT_EQ(0, memcmp(&expected, &loaded, offsetof(Settings, drive) + sizeof loaded.drive))
            << (text ? text : "no file");
    }
}

} // namespace
