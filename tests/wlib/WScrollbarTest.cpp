#include "wlib/WScrollbar.h"

#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>

namespace {

const COLORREF normalColour = RGB(200, 30, 30);
const COLORREF pressedColour = RGB(30, 200, 30);
const COLORREF hoverColour = RGB(30, 30, 200);
const COLORREF disabledColour = RGB(200, 200, 30);
const COLORREF trackColour = RGB(90, 90, 90);
const SourceRect thumbCells[4] = {{0, 0, 9, 10}, {9, 0, 9, 10}, {18, 0, 9, 10}, {27, 0, 9, 10}};
const SourceRect trackCell = {36, 0, 9, 10};
const int sliderId = 200;

// A 100 x 10 horizontal slider with a 9-pixel thumb (room 91) over the range 0 .. 182, so
// that a value is twice its pixel.
struct SliderFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> list = kit::ListOf(*kit::Strip(
        9, 10, {normalColour, pressedColour, hoverColour, disabledColour, trackColour}));
    WScrollbar slider;

    void Make(int style, int width = 100, int height = 10) {
        ASSERT_TRUE(slider.Create(parent.hwnd, style, sliderId, GetModuleHandleA(nullptr), 10, 50,
                                  width, height, "", list.get(), 0, 9, &thumbCells[0],
                                  &thumbCells[1], &thumbCells[2], &thumbCells[3], 0, &trackCell));
        slider.SetRange(0, 182, FALSE);
    }
    // The cursor goes where the message says, as it would with a real mouse.
    void Send(UINT message, WPARAM keys, int x, int y = 5) {
        kit::CursorTo(slider.hwnd, x, y);
        SendMessageA(slider.hwnd, message, keys, kit::Point(x, y));
    }
    LogEntry Scroll(int code, int value, const char* name = "WM_HSCROLL") {
        return LogEntry(name, {code, value, (INT_PTR)slider.hwnd});
    }
    MessageLog Scrolls() { return parent.log.Only({"WM_HSCROLL", "WM_VSCROLL"}); }
    // Thumb of the colour at [from, from + 9) along x, track elsewhere.
    std::string Mismatch(int from, COLORREF thumb, COLORREF track = trackColour) {
        return kit::Capture(slider.hwnd)->Mismatch(0, 0, 100, 10, [=](int x, int) {
            return x >= from && x < from + 9 ? thumb : track;
        });
    }
};

TEST_F(SliderFixture, GrabbingTheThumbReportsTheUnchangedValueAndDragsWithoutAJump) {
    Make(9);
    slider.SetPosition(40, TRUE); // thumb at pixel 20
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 23);
    EXPECT_EQ("", Mismatch(20, pressedColour)) << "no jump on grab";
    Send(WM_MOUSEMOVE, MK_LBUTTON, 33);
    EXPECT_EQ("", Mismatch(30, pressedColour)) << "the thumb follows the mouse";
    Send(WM_LBUTTONUP, 0, 33);
    EXPECT_TRUE(Scrolls().Matches(
        {Scroll(SB_THUMBTRACK, 40), Scroll(SB_THUMBTRACK, 60), Scroll(SB_THUMBPOSITION, 40)}));
    EXPECT_EQ(40, slider.GetPosition()) << "the owner sets the value, not the slider";
}

TEST_F(SliderFixture, TrackClickCentresTheThumbOnTheClick) {
    Make(9);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10); // thumb edge at 10 - 9 / 2 = 6
    EXPECT_EQ("", Mismatch(6, pressedColour));
    Send(WM_LBUTTONUP, 0, 10);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 98); // clamped to the room, 91
    Send(WM_LBUTTONUP, 0, 98);
    EXPECT_TRUE(Scrolls().Matches({Scroll(SB_THUMBTRACK, 12), Scroll(SB_THUMBPOSITION, 0),
                                   Scroll(SB_THUMBTRACK, 182), Scroll(SB_THUMBPOSITION, 0)}));
}

TEST_F(SliderFixture, DraggingPastTheEndsClampsAndRepeatsOnlyChangedValues) {
    Make(9);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 4);
    Send(WM_MOUSEMOVE, MK_LBUTTON, -50); // clamped to 0: the position itself
    Send(WM_MOUSEMOVE, MK_LBUTTON, -10);
    EXPECT_EQ("", Mismatch(0, pressedColour));
    Send(WM_MOUSEMOVE, MK_LBUTTON, 300); // clamped to the room
    Send(WM_MOUSEMOVE, MK_LBUTTON, 400); // still not the position: told again
    EXPECT_EQ("", Mismatch(91, pressedColour));
    slider.SetPosition(182, FALSE);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 500);
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 50); // hover, not a drag
    Send(WM_LBUTTONUP, 0, 50);
    EXPECT_TRUE(Scrolls().Matches({Scroll(SB_THUMBTRACK, 0), Scroll(SB_THUMBTRACK, 182),
                                   Scroll(SB_THUMBTRACK, 182), Scroll(SB_THUMBPOSITION, 182)}));
}

TEST_F(SliderFixture, ThumbTrackGoesToTheNotifyTargetAndTheFinalPositionToTheParent) {
    kit::Parent& target = kit::Fresh(1);
    Make(13, 10, 100); // vertical
    slider.SetNotifyTarget(target.hwnd);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 50); // edge 46
    Send(WM_LBUTTONUP, 0, 5, 50);
    EXPECT_TRUE(target.log.Only({"WM_HSCROLL", "WM_VSCROLL"})
                    .Matches({Scroll(SB_THUMBTRACK, 92, "WM_VSCROLL")}));
    EXPECT_TRUE(Scrolls().Matches({Scroll(SB_THUMBPOSITION, 0, "WM_VSCROLL")}));
}

TEST_F(SliderFixture, DoubleClickIsASecondPress) {
    Make(9);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 50);
    Send(WM_LBUTTONUP, 0, 50);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 50);
    EXPECT_EQ(1, parent.log.Count("WM_HSCROLL") - 1) << "the double click itself says nothing";
    kit::Pump();
    Send(WM_LBUTTONUP, 0, 50);
    EXPECT_TRUE(Scrolls().Matches({Scroll(SB_THUMBTRACK, 92), Scroll(SB_THUMBPOSITION, 0),
                                   Scroll(SB_THUMBTRACK, 92), Scroll(SB_THUMBPOSITION, 0)}));
}

TEST_F(SliderFixture, EmptyRangeAndFullThumbStayAtTheStart) {
    Make(9);
    slider.SetRange(0, 0, TRUE);
    EXPECT_EQ("", Mismatch(0, normalColour)) << "the thumb starts at pixel 0";
    slider.SetRange(5, 5, TRUE);
    EXPECT_EQ("", Mismatch(0, normalColour));

    // A thumb as long as the slider has no room: the only value is the start.
    slider.SetRange(3, 20, FALSE);
    slider.SetPosition(3, FALSE);
    slider.SetSize(9, 10, TRUE);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 60); // outside the thumb: a track click
    Send(WM_LBUTTONUP, 0, 60);
    EXPECT_TRUE(Scrolls().Matches({Scroll(SB_THUMBTRACK, 3), Scroll(SB_THUMBPOSITION, 3)}));
}

TEST_F(SliderFixture, PaintsTheThumbStateAtItsValue) {
    Make(9);
    slider.SetPosition(100, TRUE); // MulDiv(100, 91, 182) = 50
    EXPECT_EQ("", Mismatch(50, normalColour));
    kit::CursorTo(slider.hwnd, 52, 5);
    SendMessageA(slider.hwnd, WM_MOUSEMOVE, 0, kit::Point(52, 5));
    EXPECT_EQ(slider.hwnd, GetCapture()) << "hovering the thumb holds the capture";
    EXPECT_EQ("", Mismatch(50, hoverColour));
    Send(WM_MOUSEMOVE, 0, 20);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ("", Mismatch(50, normalColour));
    EnableWindow(slider.hwnd, FALSE);
    EXPECT_EQ("", Mismatch(50, disabledColour));
}

TEST_F(SliderFixture, SeeThroughSliderDrawsOnlyTheThumbOverTheParent) {
    Make(1);
    slider.SetPosition(100, TRUE);
    EXPECT_EQ("", Mismatch(50, normalColour, RGB(0, 0, 0)));
}

} // namespace
