#include "wlib/WButton.h"

#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF normalColour = RGB(200, 30, 30), pressedColour = RGB(30, 200, 30),
               hoverColour = RGB(30, 30, 200), disabledColour = RGB(200, 200, 30);
const SourceRect cells[4] = {{0, 0, 10, 8}, {10, 0, 10, 8}, {20, 0, 10, 8}, {30, 0, 10, 8}};

// Buttons with id 101 of cells 10 x 8 stretched to 30 x 16 at (10, 10) of a shared parent.
struct ButtonFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> list =
        kit::Skin(10, 8, {normalColour, pressedColour, hoverColour, disabledColour});
    std::unique_ptr<WButton> button;

    void SetUp() override { Make(3); }
    void Make(int style) {
        button = std::make_unique<WButton>();
        ASSERT_TRUE(button->Create(parent.hwnd, style, 101, GetModuleHandleA(nullptr), 10, 10, 30,
                                   16, "", list.get(), 0, &cells[0], &cells[1], &cells[2],
                                   &cells[3]));
    }
};

TEST_F(ButtonFixture, ClicksOnlyForAReleaseInsideAfterAPressInside) {
    const struct {
        int style;
        const char* gesture;
        const char* commands;
    } cases[] = {
        {3, "D5 M60 U60", ""},             // released outside
        {3, "D5 M60 M6 U6", "cmd(101,0)"}, // out and back in
        {3, "U5", ""},                     // no press before the release
        {3, "D5 U5 C5 U5", "cmd(101,0) cmd(101,0)"},
        {3, "K0 k0 E0 R5 r5 B5", ""},
        {0, "K0 k0", "cmd(101,0)"}, // the system's own button would click: the case above can fail
    };
    for (const auto& c : cases) {
        Make(c.style);
        SetFocus(button->hwnd);
        parent.log.clear();
        kit::Play(button->hwnd, c.gesture, 8);
        kit::Pump();
        EXPECT_EQ(c.commands, parent.log) << c.gesture;
        EXPECT_NE(button->hwnd, GetCapture()) << c.gesture << ": the capture is given back";
    }
}

TEST_F(ButtonFixture, ToggleFlipsBeforeItsCommandIsHandled) {
    Make(WButton::skinned | WButton::toggle);
    std::vector<int> seen;
    parent.onCommand = [&] { seen.push_back(button->GetCheck()); };
    for (int i = 0; i < 3; i++) {
        kit::Play(button->hwnd, "D5 U5", 8);
        kit::Pump();
    }
    EXPECT_EQ((std::vector<int>{1, 0, 1}), seen);
    EXPECT_EQ(WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
              (DWORD)GetWindowLongPtrA(button->hwnd, GWL_STYLE));
}

TEST_F(ButtonFixture, PaintsTheCellOfEachStateWhereTheCursorIs) {
    EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(normalColour)));
    const struct {
        const char* gesture;
        COLORREF shows;
        bool captured;
    } steps[] = {{"H15", hoverColour, true},
                 {"D15", pressedColour, true},
                 {"M60", normalColour, true},
                 {"M15", pressedColour, true},
                 {"U15", normalColour, false}};
    for (const auto& s : steps) {
        kit::Play(button->hwnd, s.gesture, 8, true);
        EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(s.shows))) << s.gesture;
        EXPECT_EQ(s.captured, GetCapture() == button->hwnd) << s.gesture;
    }
    button->SetStyle(5, TRUE);
    button->SetCheck(1);
    EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(pressedColour))) << "checked: pressed";
    EnableWindow(button->hwnd, FALSE);
    EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(disabledColour))) << "disabled wins";
}

} // namespace
