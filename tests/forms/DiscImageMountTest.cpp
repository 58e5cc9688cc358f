// Disc images put into the virtual drive from the settings: what the user is told when the
// image of the last session is gone, and what the drive holds then.
#include "forms/DiscImageMount.h"

#include "app/Globals.h"
#include "app/Settings.h"
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

} // namespace
