#include "wlib/WScrollbar.h"

#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>

namespace {

const COLORREF normal = RGB(200, 30, 30), pressed = RGB(30, 200, 30), track = RGB(90, 90, 90);

// Sliders at (10, 50) with a 9-pixel thumb over the range 0 .. 182: on the 100 x 10
// horizontal one (room 91) a value is twice its pixel.
struct SliderFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> list =
        kit::Skin(9, 10, {normal, pressed, RGB(30, 30, 200), RGB(200, 200, 30), track});
    std::unique_ptr<WScrollbar> slider;

    void Make(int style, int width = 100, int height = 10, HWND owner = nullptr) {
        const SourceRect thumb[5] = {
            {0, 0, 9, 10}, {9, 0, 9, 10}, {18, 0, 9, 10}, {27, 0, 9, 10}, {36, 0, 9, 10}};
        slider = std::make_unique<WScrollbar>();
        ASSERT_TRUE(slider->Create(owner ? owner : parent.hwnd, style, 200, nullptr, 10, 50, width,
                                   height, "", list.get(), 0, 9, &thumb[0], &thumb[1], &thumb[2],
                                   &thumb[3], 0, &thumb[4]));
        slider->SetRange(0, 182, FALSE);
    }
    // Thumb of the colour at [from, from + 9) along x, track elsewhere.
    std::string Mismatch(int from, COLORREF thumb) {
        return kit::Mismatch(slider->hwnd,
                             [=](int x, int) { return x >= from && x < from + 9 ? thumb : track; });
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
            EXPECT_EQ("", Mismatch(std::stoi(token.substr(look + 1)), pressed)) << token;
        }
        EXPECT_EQ(c.scrolls, parent.log);
        EXPECT_EQ(c.position, slider->GetPosition()) << "the owner sets the value";
    }
}

// The thumb-track goes to the notify target (here the recording parent) and the final
// position to the slider's own parent. An empty range, or a thumb as long as the slider,
// leaves the thumb at the start.
TEST_F(SliderFixture, NotifyTargetEmptyRangeAndFullThumb) {
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 200, 200, parent.hwnd, nullptr,
                                 nullptr, nullptr);
    Make(13, 10, 100, owner); // vertical
    slider->SetNotifyTarget(parent.hwnd);
    kit::Play(slider->hwnd, "D5 U5", 50, true); // a track click: the edge to 46
    EXPECT_EQ("vtrack(92)", parent.log);
    DestroyWindow(owner);

    Make(9);
    for (int only : {0, 5}) {
        slider->SetRange(only, only, TRUE);
        EXPECT_EQ("", Mismatch(0, normal)) << "the thumb starts at pixel 0";
    }
    slider->SetRange(3, 20, FALSE);
    slider->SetPosition(3, FALSE);
    slider->SetSize(9, 10, TRUE);
    parent.log.clear();
    kit::Play(slider->hwnd, "D60 U60", 5, true); // outside the thumb: a track click
    EXPECT_EQ("htrack(3) hpos(3)", parent.log);
}

} // namespace
