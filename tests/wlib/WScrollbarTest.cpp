#include "wlib/WScrollbar.h"

#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

const COLORREF normalColour = RGB(200, 30, 30), pressedColour = RGB(30, 200, 30),
               trackColour = RGB(90, 90, 90);
const SourceRect thumbCells[4] = {{0, 0, 9, 10}, {9, 0, 9, 10}, {18, 0, 9, 10}, {27, 0, 9, 10}};
const SourceRect trackCell = {36, 0, 9, 10};

// Sliders at (10, 50) with a 9-pixel thumb over the range 0 .. 182: on the 100 x 10
// horizontal one (room 91) a value is twice its pixel.
struct SliderFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> list = kit::Skin(
        9, 10, {normalColour, pressedColour, RGB(30, 30, 200), RGB(200, 200, 30), trackColour});
    std::unique_ptr<WScrollbar> slider;

    void Make(int style, int width = 100, int height = 10) {
        slider = std::make_unique<WScrollbar>();
        ASSERT_TRUE(slider->Create(parent.hwnd, style, 200, GetModuleHandleA(nullptr), 10, 50,
                                   width, height, "", list.get(), 0, 9, &thumbCells[0],
                                   &thumbCells[1], &thumbCells[2], &thumbCells[3], 0, &trackCell));
        slider->SetRange(0, 182, FALSE);
    }
    // Thumb of the colour at [from, from + 9) along x, track elsewhere.
    std::string Mismatch(int from, COLORREF thumb) {
        return kit::Mismatch(slider->hwnd, [=](int x, int) {
            return x >= from && x < from + 9 ? thumb : trackColour;
        });
    }
};

TEST_F(SliderFixture, ReportsWhereTheUserPutsTheThumbAndLeavesTheValueToTheOwner) {
    // A token ending in "=n" is followed by a look: the pressed thumb shows at pixel n.
    const struct {
        int position;
        const char* gesture;
        const char* scrolls;
    } cases[] = {
        // A grabbed thumb follows the mouse without a jump.
        {40, "D23=20 M33=30 U33", "htrack(40) htrack(60) hpos(40)"},
        // A track click centres the thumb on the click; a double click is a second press.
        {0, "D10=6 U10 D98=91 U98 C50=46 U50",
         "htrack(12) hpos(0) htrack(182) hpos(0) htrack(92) hpos(0)"},
        // Drags past the ends clamp; a value equal to the position is not reported.
        {182, "D95=91 M500=91 M-50=0 M-10=0 S50 U50", "htrack(182) htrack(0) htrack(0) hpos(182)"},
    };
    for (const auto& c : cases) {
        Make(9);
        slider->SetPosition(c.position, TRUE);
        parent.log.clear();
        std::istringstream tokens(c.gesture);
        for (std::string token; tokens >> token;) {
            kit::Play(slider->hwnd, token, 5, true);
            size_t look = token.find('=');
            if (look == std::string::npos) continue;
            EXPECT_EQ("", Mismatch(std::stoi(token.substr(look + 1)), pressedColour)) << token;
        }
        EXPECT_EQ(c.scrolls, parent.log);
        EXPECT_EQ(c.position, slider->GetPosition()) << "the owner sets the value";
    }
}

TEST_F(SliderFixture, ThumbTrackGoesToTheNotifyTargetAndTheFinalPositionToTheParent) {
    kit::Parent& target = kit::Fresh(1);
    Make(13, 10, 100); // vertical
    slider->SetNotifyTarget(target.hwnd);
    kit::Play(slider->hwnd, "D5 U5", 50, true); // a track click: the edge to 46
    EXPECT_EQ("vtrack(92)", target.log);
    EXPECT_EQ("vpos(0)", parent.log);
}

TEST_F(SliderFixture, EmptyRangeAndFullThumbStayAtTheStart) {
    Make(9);
    for (int only : {0, 5}) {
        slider->SetRange(only, only, TRUE);
        EXPECT_EQ("", Mismatch(0, normalColour)) << "the thumb starts at pixel 0";
    }
    // A thumb as long as the slider has no room: the only value is the start.
    slider->SetRange(3, 20, FALSE);
    slider->SetPosition(3, FALSE);
    slider->SetSize(9, 10, TRUE);
    kit::Play(slider->hwnd, "D60 U60", 5, true); // outside the thumb: a track click
    EXPECT_EQ("htrack(3) hpos(3)", parent.log);
}

} // namespace
