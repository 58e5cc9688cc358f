#include "wlib/WButton.h"

#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>

namespace {

const COLORREF normal = RGB(200, 30, 30), pressed = RGB(30, 200, 30), hover = RGB(30, 30, 200),
               disabled = RGB(200, 200, 30);

// Buttons with id 101 of cells 10 x 8 stretched to 30 x 16 at (10, 10) of the shared parent.
struct ButtonFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> list = kit::Skin(10, 8, {normal, pressed, hover, disabled});
    std::unique_ptr<WButton> button;

    void Make(int style) {
        const SourceRect cells[4] = {{0, 0, 10, 8}, {10, 0, 10, 8}, {20, 0, 10, 8}, {30, 0, 10, 8}};
        button = std::make_unique<WButton>();
        ASSERT_TRUE(button->Create(parent.hwnd, style, 101, nullptr, 10, 10, 30, 16, "", list.get(),
                                   0, &cells[0], &cells[1], &cells[2], &cells[3]));
        SetFocus(button->hwnd);
    }
};

// Only a release inside after a press inside clicks; the second press of a double click is
// a click of its own; a toggle flips before its command is handled ("=" the check then).
TEST_F(ButtonFixture, ClicksAndToggles) {
    const struct {
        int style;
        const char* gesture;
        const char* commands;
    } cases[] = {
        {3, "D5 M60 U60", ""},
        {3, "D5 M60 M6 U6", "cmd(101,0)=0"},
        {3, "U5", ""},
        {3, "D5 U5 C5 U5", "cmd(101,0)=0 cmd(101,0)=0"},
        {3, "K0 k0 E0 R5 r5 B5", ""},
        // The system's own button would click, so the case above can fail.
        {0, "K0 k0", "cmd(101,0)=0"},
        {WButton::skinned | WButton::toggle, "D5 U5 D5 U5 D5 U5",
         "cmd(101,0)=1 cmd(101,0)=0 cmd(101,0)=1"},
    };
    parent.onCommand = [&] { parent.log += "=" + std::to_string(button->GetCheck()); };
    for (const auto& c : cases) {
        Make(c.style);
        parent.log.clear();
        std::istringstream tokens(c.gesture);
        for (std::string token; tokens >> token; kit::Pump())
            kit::Play(button->hwnd, token, 8);
        EXPECT_EQ(c.commands, parent.log) << c.gesture;
        EXPECT_NE(button->hwnd, GetCapture()) << c.gesture << ": the capture is given back";
    }
}

TEST_F(ButtonFixture, PaintsTheCellOfEachStateWhereTheCursorIs) {
    Make(3);
    EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(normal)));
    const std::pair<const char*, COLORREF> steps[] = {
        {"H15", hover}, {"D15", pressed}, {"M60", normal}, {"M15", pressed}, {"U15", normal}};
    for (const auto& [gesture, shows] : steps) {
        kit::Play(button->hwnd, gesture, 8, true);
        EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(shows))) << gesture;
    }
    button->SetStyle(5, TRUE);
    button->SetCheck(1);
    EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(pressed))) << "checked: pressed";
    EnableWindow(button->hwnd, FALSE);
    EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(disabled))) << "disabled wins";
}

} // namespace
