// Disc images put into the virtual drive from the settings: what the user is told when the
// image of the last session is gone, and what the drive holds then.
#include "forms/DiscImageMount.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "support/TempFolder.h"
#include "vdrive/VirtualCdDrive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> told;

int Record(HWND, const char* text, const char*) {
    told.push_back(text);
    return IDOK;
}

TEST(DiscImageMount, AnImageThatIsGoneIsForgottenAndTheMessageSaysWhatTheDriveHoldsNow) {
    VirtualCdDrive drive('V');
    virtualDrive = &drive;
    DiscImageMount::showMessage = Record;
    for (bool machineHasCdDrive : {true, false}) {
        settings = Settings();
        lstrcpyA(settings.discImage, "C:\\gone\\disc.cue");
        told.clear();
        DiscImageMount::InsertAtStart("", machineHasCdDrive);
        ASSERT_EQ(1u, told.size());
        const char* says = machineHasCdDrive ? "the virtual drive is empty" : "the demo disc is in";
        EXPECT_NE(std::string::npos, told[0].find(says)) << told[0];
        EXPECT_NE(std::string::npos, told[0].find("disc.cue")) << told[0];
        EXPECT_EQ(machineHasCdDrive, drive.Current().Empty());
        EXPECT_STREQ("", settings.discImage);
    }
    virtualDrive = nullptr;
}

// A garbage sheet's control characters never reach the message raw.
TEST(DiscImageMount, AGarbageSheetIsNamedWithoutItsControlCharacters) {
    TempFolder folder;
    folder.Write("junk.cue", "FILE \"a\x01\x07\x1B[2Jb.wav\" WAVE\r\n  TRACK 01 AUDIO\r\n"
                             "    INDEX 01 00:00:00\r\n");
    DiscImageMount::showMessage = Record;
    told.clear();
    EXPECT_FALSE(DiscImageMount::Load(nullptr, folder.File("junk.cue")));
    ASSERT_EQ(1u, told.size());
    EXPECT_NE(std::string::npos, told[0].find("a???[2Jb.wav")) << told[0];
    for (char c : told[0])
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\r' || c == '\n') << int(c);
}

} // namespace
