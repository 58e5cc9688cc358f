#include "wlib/WTextBox.h"

#include "gfx/WBmpFont.h"
#include "wlib/ControlTestKit.h"
#include "wlib/WFont.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const COLORREF backgroundColour = RGB(20, 40, 60);
const COLORREF glyphColour = RGB(250, 250, 0);
const int boxId = 305;

// A text box at (30, 20) whose bitmap font has 5-pixel glyphs for every character used.
struct TextBoxFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> skin = kit::ListOf(*kit::Strip(4, 4, {backgroundColour}));
    std::unique_ptr<WBmpList> glyphs = kit::GlyphListOf(*kit::Strip(40, 11, {glyphColour}));
    WBmpFont font{glyphs.get(), 0, "05 ABCXYZ -", 11};
    WTextBox box;

    void Make(int style, int width, const char* text = "ABC") {
        SourceRect tile = {0, 0, 4, 4};
        ASSERT_TRUE(box.Create(parent.hwnd, style, boxId, GetModuleHandleA(nullptr), 30, 20, width,
                               11, text, nullptr, 0, 0, skin.get(), 0, &tile, &font));
    }
    void Paint() {
        InvalidateRect(box.hwnd, nullptr, FALSE);
        UpdateWindow(box.hwnd);
    }
    std::string Shown() { return box.marqueeActive ? box.marqueeText : "(stopped)"; }
    void Tick(WPARAM id = WTextBox::marqueeTimer) { SendMessageA(box.hwnd, WM_TIMER, id, 0); }
};

TEST_F(TextBoxFixture, MarqueeRotatesTextAndSeparatorOneCharacterPerStep) {
    Make(3, 10);
    box.SetScrolling(1, 500);
    Paint();
    EXPECT_EQ("ABC - ", Shown());
    Tick();
    EXPECT_EQ("BC - A", Shown());
    Tick();
    EXPECT_EQ("C - AB", Shown());
    Tick(301); // another timer: no step
    EXPECT_EQ("C - AB", Shown());

    box.SetText("XYZ", TRUE);
    EXPECT_EQ("(stopped)", Shown());
    Paint();
    EXPECT_EQ("XYZ - ", Shown()) << "restarts from the start of the new text";
    box.SetText("", TRUE);
    Paint();
    EXPECT_EQ("(stopped)", Shown()) << "an empty text never scrolls";
}

TEST_F(TextBoxFixture, TextExactlyAsWideAsTheBoxScrolls) {
    Make(3, 15); // ABC is 15 pixels
    box.SetScrolling(1, 0);
    Paint();
    EXPECT_TRUE(box.marqueeActive);
    EXPECT_EQ(500, box.scrollPeriod);
    box.SetSize(16, 11, FALSE);
    Paint();
    EXPECT_FALSE(box.marqueeActive);

    // The same rule with a GDI font, measured by the platform.
    WFont gdiFont;
    box.SetSkin(&gdiFont, RGB(255, 255, 255), 0, skin.get(), 0, nullptr, nullptr, FALSE);
    box.style = 2;
    box.SetText("Track name", FALSE);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, gdiFont.handle);
    SIZE size;
    GetTextExtentPointA(screen, "Track name", 10, &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    box.SetSize(size.cx, 11, FALSE);
    Paint();
    EXPECT_TRUE(box.marqueeActive);
    box.SetSize(size.cx + 1, 11, FALSE);
    Paint();
    EXPECT_FALSE(box.marqueeActive);
}

TEST_F(TextBoxFixture, MouseGoesToTheParentInItsCoordinatesAndLeftClickIsACommand) {
    Make(3, 40);
    auto send = [&](UINT message, WPARAM keys, int x, int y) {
        SendMessageA(box.hwnd, message, keys, kit::Point(x, y));
    };
    send(WM_LBUTTONDOWN, MK_LBUTTON, 2, 3);
    send(WM_MOUSEMOVE, MK_LBUTTON, 4, 5);
    send(WM_LBUTTONUP, 0, 4, 5);
    send(WM_RBUTTONDOWN, MK_RBUTTON, 1, 1);
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, 6, 7);
    kit::Pump(); // the second press, posted by the double click
    SetFocus(box.hwnd);
    send(WM_KEYDOWN, VK_SPACE, 0, 0);
    send(WM_KEYUP, VK_SPACE, 0, 0);
    kit::Pump();
    INT_PTR window = (INT_PTR)box.hwnd;
    EXPECT_TRUE(parent.log.Matches({
        {"WM_COMMAND", {boxId, 0, window}},
        {"WM_LBUTTONDOWN", {MK_LBUTTON, 32, 23}},
        {"WM_MOUSEMOVE", {MK_LBUTTON, 34, 25}},
        {"WM_LBUTTONUP", {0, 34, 25}},
        {"WM_RBUTTONDOWN", {MK_RBUTTON, 31, 21}},
        {"WM_COMMAND", {boxId, 0, window}},
        {"WM_LBUTTONDOWN", {MK_LBUTTON, 36, 27}},
    }));
}

TEST_F(TextBoxFixture, OpaqueBoxPaintsItsBackgroundAndSeeThroughBoxLeavesItToTheParent) {
    Make(3, 20, "A");
    auto glyphThenBackground = [](COLORREF background) {
        return [=](int x, int) { return x < 5 ? glyphColour : background; };
    };
    Paint();
    EXPECT_EQ(
        "", kit::Capture(box.hwnd)->Mismatch(0, 0, 20, 11, glyphThenBackground(backgroundColour)));

    box.style = 5; // bitmap font over a colour
    box.backColour = RGB(0, 90, 0);
    box.Invalidate();
    EXPECT_EQ("",
              kit::Capture(box.hwnd)->Mismatch(0, 0, 20, 11, glyphThenBackground(RGB(0, 90, 0))));

    box.style = 1; // see-through: the parent's black background shows
    box.Invalidate();
    RECT dirty;
    EXPECT_TRUE(GetUpdateRect(parent.hwnd, &dirty, FALSE)) << "the parent repaints under it";
    UpdateWindow(parent.hwnd);
    EXPECT_EQ("",
              kit::Capture(box.hwnd)->Mismatch(0, 0, 20, 11, glyphThenBackground(RGB(0, 0, 0))));
}

TEST_F(TextBoxFixture, TextMemoryGrowsAndReportsMisuse) {
    Make(3, 20, "");
    EXPECT_EQ(1, box.capacity);
    std::string longText(300, 'A');
    box.SetText(longText.c_str(), FALSE);
    EXPECT_EQ(longText, box.text);
    EXPECT_EQ(301, box.capacity);

    EXPECT_EQ(0, box.Alloc(5)) << "a block exists";
    box.throwErrors = 1;
    try {
        box.Alloc(5);
        ADD_FAILURE() << "no throw";
    } catch (const char* message) {
        EXPECT_STREQ("WTextBox::Alloc(int size) *** ERROR !\nMemory already alloceted.", message);
    }
    EXPECT_EQ(1, box.DeAlloc());
    try {
        box.DeAlloc();
        ADD_FAILURE() << "no throw";
    } catch (const char* message) {
        EXPECT_STREQ("WTextBox::DeAlloc() *** ERROR !\nMemory not allocated.", message);
    }
    box.throwErrors = 0;
    EXPECT_EQ(0, box.ReAlloc(10));
    box.SetText("B", FALSE); // no memory: nothing happens
    EXPECT_EQ(nullptr, box.text);
    Paint(); // and painting copes
    EXPECT_EQ(1, box.Alloc(0));
    EXPECT_EQ(1, box.capacity);
}

} // namespace
