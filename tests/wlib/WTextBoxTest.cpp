#include "wlib/WTextBox.h"

#include "gfx/WBmpFont.h"
#include "wlib/ControlTestKit.h"
#include "wlib/WFont.h"

#include <gtest/gtest.h>

namespace {

// Text boxes with id 305 at (30, 20) whose bitmap font has 5-pixel glyphs for every
// character used.
struct TextBoxFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> skin = kit::Skin(4, 4, {RGB(20, 40, 60)});
    std::unique_ptr<WBmpList> glyphs = kit::Skin(40, 11, {RGB(250, 250, 0)}, true);
    WBmpFont font{glyphs.get(), 0, "05 ABCXYZ -", 11};
    WFont gdiFont;
    std::unique_ptr<WTextBox> box;

    void Make(int style, int width, const char* text) {
        SourceRect tile = {0, 0, 4, 4};
        box = std::make_unique<WTextBox>();
        ASSERT_TRUE(box->Create(parent.hwnd, style, 305, nullptr, 30, 20, width, 11, text, &gdiFont,
                                0, 0, skin.get(), 0, &tile, &font));
    }
    std::string Painted() {
        InvalidateRect(box->hwnd, nullptr, FALSE);
        UpdateWindow(box->hwnd);
        return box->marqueeActive ? box->marqueeText : "(still)";
    }
};

// A marquee steps one character per tick of its own timer and starts again with a new text;
// a text exactly as wide as the box, in either font, scrolls.
TEST_F(TextBoxFixture, MarqueeRotatesTextAndSeparatorAndExactFitScrolls) {
    Make(3, 10, "ABC");
    box->SetScrolling(1, 500);
    EXPECT_EQ("ABC - ", Painted());
    for (int timer : {300, 300, 301}) // the marquee's timer is 300
        SendMessageA(box->hwnd, WM_TIMER, WPARAM(timer), 0);
    EXPECT_EQ("C - AB", Painted());
    box->SetText("XYZ", TRUE);
    EXPECT_EQ("XYZ - ", Painted());
    box->SetText("", TRUE);
    EXPECT_EQ("(still)", Painted()) << "an empty text never scrolls";

    SIZE size;
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, gdiFont.handle);
    GetTextExtentPointA(screen, "Track name", 10, &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    const struct {
        int style;
        const char* text;
        int width;
    } cases[] = {{3, "ABC", 15}, {2, "Track name", int(size.cx)}}; // bitmap font, GDI font
    for (const auto& c : cases) {
        Make(c.style, c.width, c.text);
        box->SetScrolling(1, 0);
        EXPECT_EQ(std::string(c.text) + " - ", Painted()) << c.text;
        EXPECT_EQ(500, box->scrollPeriod) << "period 0 keeps the default";
        box->SetSize(c.width + 1, 11, FALSE);
        EXPECT_EQ("(still)", Painted()) << c.text;
    }
}

TEST_F(TextBoxFixture, MouseGoesToTheParentInItsCoordinatesAndLeftClickIsACommand) {
    Make(3, 40, "ABC");
    parent.logMouse = true;
    SetFocus(box->hwnd);
    kit::Play(box->hwnd, "D2 M4 U4 r1 C6 K0 k0", 3);
    kit::Pump();
    auto mouse = [](UINT message, WPARAM keys, int x) {
        return kit::Call("mouse", message, keys, x, 23) + " ";
    };
    EXPECT_EQ("cmd(305,0) " + mouse(WM_LBUTTONDOWN, MK_LBUTTON, 32) +
                  mouse(WM_MOUSEMOVE, MK_LBUTTON, 34) + mouse(WM_LBUTTONUP, 0, 34) +
                  mouse(WM_RBUTTONUP, 0, 31) + "cmd(305,0) " +
                  mouse(WM_LBUTTONDOWN, MK_LBUTTON, 36),
              parent.log + " ");
}

} // namespace
