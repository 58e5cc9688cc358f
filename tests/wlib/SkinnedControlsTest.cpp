#include "gfx/WBmpFont.h"
#include "support/HandleCounts.h"
#include "wlib/ControlTestKit.h"
#include "wlib/WButton.h"
#include "wlib/WDialog.h"
#include "wlib/WFont.h"
#include "wlib/WForm.h"
#include "wlib/WListBox.h"
#include "wlib/WScrollbar.h"
#include "wlib/WTextBox.h"
#include "wlib/WTooltip.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using HandleCounts::GdiRoom;
using HandleCounts::ThreadWindowCount;

const COLORREF normal = RGB(200, 30, 30), pressed = RGB(30, 200, 30), hover = RGB(30, 30, 200),
               disabled = RGB(200, 200, 30), track = RGB(90, 90, 90), glyph = RGB(250, 250, 0),
               selection = RGB(0, 0, 160), mark = RGB(160, 0, 0);

// The shared parent; a skin of solid cells 9 x 10 in the colours above, the last one the
// track and background; a bitmap font whose glyphs are solid 5 x 11 blocks; and one control
// of each kind, made anew by its Make.
struct Controls : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> skin = kit::Skin(9, 10, {normal, pressed, hover, disabled, track});
    std::unique_ptr<WBmpList> glyphs = kit::Skin(40, 11, {glyph}, true);
    WBmpFont font{glyphs.get(), 0, "05 ABCXYZ -", 11};
    WFont gdiFont;
    const SourceRect cell[5] = {
        {0, 0, 9, 10}, {9, 0, 9, 10}, {18, 0, 9, 10}, {27, 0, 9, 10}, {36, 0, 9, 10}};
    std::unique_ptr<WButton> button;
    std::unique_ptr<WScrollbar> slider;
    std::unique_ptr<WListBox> list;
    std::unique_ptr<WTextBox> box;
    HWND home = nullptr; // the controls' parent window when not the shared one

    HWND Home() const { return home ? home : parent.hwnd; }

    // Id 101 at (10, 10), 30 x 16.
    void MakeButton(int style) {
        button = std::make_unique<WButton>();
        ASSERT_TRUE(button->Create(Home(), style, 101, nullptr, 10, 10, 30, 16, "", skin.get(), 0,
                                   &cell[0], &cell[1], &cell[2], &cell[3]));
    }
    // At (10, 50), a 9-pixel thumb over the range 0 .. 182: on the 100 x 10 horizontal one
    // (room 91) a value is twice its pixel.
    void MakeSlider(int style, int width = 100, int height = 10, HWND owner = nullptr) {
        slider = std::make_unique<WScrollbar>();
        ASSERT_TRUE(slider->Create(owner ? owner : Home(), style, 200, nullptr, 10, 50, width,
                                   height, "", skin.get(), 0, 9, &cell[0], &cell[1], &cell[2],
                                   &cell[3], 0, &cell[4]));
        slider->SetRange(0, 182, FALSE);
    }
    // 100 x 100 at (10, 10), rows 10 high.
    void MakeList(int style) {
        list = std::make_unique<WListBox>();
        ASSERT_TRUE(list->Create(Home(), style, 450, nullptr, 10, 10, 100, 100, "", &gdiFont, 0, 0,
                                 skin.get(), 0, &cell[4], &font, selection, mark));
        list->SetItemHeight(0, 10, FALSE);
    }
    // Id 305 at (30, 20), 11 high.
    void MakeBox(int style, int width, const char* text) {
        box = std::make_unique<WTextBox>();
        ASSERT_TRUE(box->Create(Home(), style, 305, nullptr, 30, 20, width, 11, text, &gdiFont, 0,
                                0, skin.get(), 0, &cell[4], &font));
    }
    // Thumb of the colour at [from, from + 9) along x, track elsewhere.
    std::string SliderMismatch(int from, COLORREF thumb) {
        return kit::Mismatch(slider->hwnd,
                             [=](int x, int) { return x >= from && x < from + 9 ? thumb : track; });
    }
    std::string Marquee() {
        InvalidateRect(box->hwnd, nullptr, FALSE);
        UpdateWindow(box->hwnd);
        return box->marqueeActive ? box->marqueeText : "(still)";
    }
    void UseEveryKindOfHandle(int rounds, COLORREF lastColour);
};

// Only a release inside after a press inside clicks; the second press of a double click is
// a click of its own; a toggle flips before its command is handled ("=" the check then).
TEST_F(Controls, ButtonClicksAndToggles) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {3, "D5 M60 U60", ""},
        {3, "D5 U5 C5 U5", "cmd(101,0)=0 cmd(101,0)=0"},
        {3, "K0 k0 E0 R5 r5 B5", ""},
        // The system's own button clicks on the space bar, so the row above can fail.
        {0, "K0 k0", "cmd(101,0)=0"},
        {WButton::skinned | WButton::toggle, "D5 U5 D5 U5 D5 U5",
         "cmd(101,0)=1 cmd(101,0)=0 cmd(101,0)=1"},
    };
    parent.onCommand = [&] { parent.log += "=" + std::to_string(button->GetCheck()); };
    for (const auto& [style, gesture, commands] : cases) {
        MakeButton(style);
        parent.log.clear();
        std::istringstream tokens(gesture);
        for (std::string token; tokens >> token; kit::Pump())
            kit::Play(button->hwnd, token, 8);
        EXPECT_EQ(commands, parent.log) << gesture;
        EXPECT_NE(button->hwnd, GetCapture()) << gesture << ": the capture is given back";
    }
}

TEST_F(Controls, ButtonPaintsTheCellOfEachStateWhereTheCursorIs) {
    MakeButton(3);
    const std::pair<const char*, COLORREF> steps[] = {
        {"H15", hover}, {"D15", pressed}, {"M60", normal}, {"M15", pressed}, {"U15", normal}};
    for (const auto& [gesture, shows] : steps) {
        kit::Play(button->hwnd, gesture, 8);
        EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(shows))) << gesture;
    }
    EnableWindow(button->hwnd, FALSE);
    EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(disabled))) << "disabled wins";
}

TEST_F(Controls, SliderReportsWhereTheUserPutsTheThumbAndLeavesTheValueToTheOwner) {
    // A token ending in "=n" is followed by a look: the pressed thumb shows at pixel n.
    const std::tuple<int, const char*, const char*> cases[] = {
        // A grabbed thumb follows the mouse without a jump.
        {40, "D23=20 M33=30 U33", "htrack(40) htrack(60) hpos(40)"},
        // A track click centres the thumb on the click; a double click is a second press.
        {0, "D10=6 U10 D98=91 U98 C50=46 U50",
         "htrack(12) hpos(0) htrack(182) hpos(0) htrack(92) hpos(0)"},
        // Drags past the ends clamp; a value equal to the position is not reported.
        {182, "D95=91 M500=91 M-50=0 M-10=0 S50 U50", "htrack(182) htrack(0) htrack(0) hpos(182)"},
    };
    for (const auto& [position, gesture, scrolls] : cases) {
        MakeSlider(9);
        slider->SetPosition(position, TRUE);
        parent.log.clear();
        std::istringstream tokens(gesture);
        for (std::string token; tokens >> token;) {
            kit::Play(slider->hwnd, token, 5);
            size_t look = token.find('=');
            if (look == std::string::npos) continue;
            EXPECT_EQ("", SliderMismatch(std::stoi(token.substr(look + 1)), pressed)) << token;
        }
        EXPECT_EQ(scrolls, parent.log);
        EXPECT_EQ(position, slider->GetPosition()) << "the owner sets the value";
    }
}

// The thumb-track goes to the notify target (here the recording parent), the final position
// to the slider's own parent. An empty range, or a thumb as long as the slider, leaves the
// thumb at the start.
TEST_F(Controls, SliderNotifyTargetEmptyRangeAndFullThumb) {
    MakeSlider(9);
    slider->SetRange(5, 5, TRUE);
    EXPECT_EQ("", SliderMismatch(0, normal)) << "the thumb starts at pixel 0";
    slider->SetRange(3, 20, FALSE);
    slider->SetPosition(3, FALSE);
    slider->SetSize(9, 10, TRUE);
    kit::Play(slider->hwnd, "D60 U60", 5); // outside the thumb: a track click

    MakeButton(3);
    MakeSlider(13, 10, 100, button->hwnd); // vertical; the button ignores the final position
    slider->SetNotifyTarget(parent.hwnd);
    kit::Play(slider->hwnd, "D5 U5", 50); // a track click: the edge to 46
    EXPECT_EQ("htrack(3) hpos(3) vtrack(92)", parent.log);
}

// Losing the capture mid-gesture (Alt+Tab, a message box) ends a drag as a release would and
// forgets a press; moves and releases without a press report nothing.
TEST_F(Controls, CaptureLossEndsTheDragAndForgetsThePress) {
    MakeSlider(9);
    slider->SetPosition(40, TRUE);
    parent.log.clear();
    for (const char* token : {"D23", "M33"})
        kit::Play(slider->hwnd, token, 5);
    ReleaseCapture();
    EXPECT_EQ("htrack(40) htrack(60) hpos(40)", parent.log);
    EXPECT_NE("", SliderMismatch(20, pressed)) << "the thumb is back, not pressed";
    EXPECT_NE("", SliderMismatch(30, pressed)) << "nor where it was dragged";
    for (const char* token : {"M43", "U43"})
        kit::Play(slider->hwnd, token, 5);
    EXPECT_EQ("htrack(40) htrack(60) hpos(40)", parent.log) << "nothing follows";

    MakeButton(3);
    parent.log.clear();
    kit::Play(button->hwnd, "D5", 8);
    ReleaseCapture();
    kit::Play(button->hwnd, "U5", 8);
    kit::Pump();
    EXPECT_EQ("", parent.log) << "a release after the loss is no click";
    EXPECT_NE("", kit::Mismatch(button->hwnd, kit::Solid(pressed)));
}

// A control's window may go with its parent before the object does: every kind, plain or
// skinned, forgets the handle then, so that nothing of it reaches a window that reuses it.
TEST_F(Controls, ControlsForgetAWindowDestroyedWithTheirParent) {
    for (int skinned : {0, 1}) {
        home = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, parent.hwnd,
                               nullptr, nullptr, nullptr);
        MakeButton(skinned);
        MakeSlider(skinned ? 9 : 0);
        MakeList(skinned ? 6 : 0);
        MakeBox(skinned ? 3 : 0, 90, "");
        DestroyWindow(home);
        for (HWND left : {button->hwnd, slider->hwnd, list->hwnd, box->hwnd})
            EXPECT_EQ(nullptr, left) << (skinned ? "skinned" : "plain");
    }
    home = nullptr;
}

// Enter is a double click; the next mark after the last wraps to the first. The slider's
// range is set from the count before each change, 10 rows shown; its thumb-track scrolls the
// list, which stops at its last full page.
TEST_F(Controls, ListMarksEnterAndSlider) {
    MakeList(6);
    auto owned = std::make_unique<WScrollbar>();
    WScrollbar* listSlider = owned.get();
    ASSERT_TRUE(listSlider->Create(parent.hwnd, 29, 400, nullptr, 110, 10, 10, 100, "", skin.get(),
                                   0, 10, nullptr, nullptr, nullptr, nullptr, 0, nullptr));
    list->AttachSlider(std::move(owned));
    for (int i = 1; i <= 5; i++)
        list->AddTrack(i, "Song", FALSE);
    // m marks, i inserts at, d deletes at, v selects and moves by, n moves with nothing
    // selected; each step records a move's answer and the track (item data, which a move
    // keeps) marked after it.
    std::istringstream steps("m2 i0 d0 d4 d99 d2 d2 i0 m1 v2-5 v2+1 v2-1 v1+0 n1+1");
    std::string seen;
    for (std::string s; steps >> s;) {
        char* rest;
        int index = int(std::strtol(s.c_str() + 1, &rest, 10)), delta = std::atoi(rest);
        if (s[0] == 'm') list->SetMarked(index, FALSE);
        if (s[0] == 'i') list->InsertItem(index, "new", FALSE);
        if (s[0] == 'd') list->DeleteItem(index, FALSE);
        if (s[0] == 'v' || s[0] == 'n') {
            list->SetSelection(s[0] == 'v' ? index : -1, FALSE);
            seen += std::to_string(list->MoveSelected(index, delta, FALSE)) + ":";
        }
        int marked = list->GetMarked();
        seen += (marked < 0 ? "-" : std::to_string(list->GetItemData(marked))) + " ";
    }
    // Deleting the marked track marks the next, deleting the last leaves none; a move is
    // clamped to the list and takes the mark along.
    EXPECT_EQ("3 3 3 3 3 4 - - 1 0:1 2:1 1:1 -1:1 -1:1 ", seen);
    list->SetMarked(list->GetCount() - 1, FALSE);
    EXPECT_EQ(0, list->NextMarked());
    list->SetSelection(1, FALSE);
    kit::Play(list->hwnd, "E0 C5 U5", 12);
    EXPECT_EQ("cmd(450,2) cmd(450,2)", parent.log);
    list->Clear(FALSE);
    EXPECT_EQ(-1, list->GetMarked());

    auto rangeEnd = [&] {
        int low = -1, high = -1;
        GetScrollRange(listSlider->hwnd, SB_CTL, &low, &high);
        return low == 0 ? high : -1;
    };
    for (int i = 1; i <= 20; i++)
        list->AddTrack(i, "Song", FALSE);
    EXPECT_EQ(10, rangeEnd());
    list->AddItem("21", FALSE);
    EXPECT_EQ(11, rangeEnd());
    list->SetItemHeight(0, 20, FALSE); // 5 rows
    EXPECT_EQ(17, rangeEnd());
    list->SetItemHeight(0, 10, FALSE);
    parent.log.clear();
    kit::Play(listSlider->hwnd, "D5 U5", 95);
    EXPECT_EQ(11, list->GetTopIndex());
    EXPECT_EQ(12, listSlider->GetPosition());
    EXPECT_EQ("vpos(12)", parent.log);
}

// An entry longer than the text capacity is cut for the caller's buffer and painted, never
// read past a buffer (Wine's ANSI reading of list entries holds 512 characters).
TEST_F(Controls, ListReadsAndPaintsOverlongEntries) {
    MakeList(6);
    const std::string whole(1200, 'A');
    list->AddItem(whole.c_str(), TRUE);
    char text[WListBox::textCapacity];
    EXPECT_EQ(WListBox::textCapacity - 1, list->GetItemText(0, text));
    EXPECT_EQ(whole.substr(0, WListBox::textCapacity - 1), text);
    EXPECT_EQ(whole, WListBox::TextOf(list->hwnd, 0));
    EXPECT_EQ("", WListBox::TextOf(list->hwnd, 1));
    kit::Pump(); // paints it
}

// Rows 15 high: the second selected, "A" in the third, the fourth marked.
TEST_F(Controls, ListPaintsBarsAndTextsAndNoBarWithoutASelection) {
    MakeList(6);
    for (int i = 0; i < 5; i++)
        list->AddItem(i == 2 ? "A" : "", FALSE);
    list->SetTextIndent(7, FALSE);
    list->SetItemHeight(0, 15, FALSE); // glyphs 11 high: lowered by 2
    list->SetSelection(1, FALSE);
    list->SetMarked(3, TRUE);
    auto unselected = [](int x, int y) {
        if (y >= 45 && y < 60) return mark;
        return x >= 7 && x < 12 && y >= 32 && y < 43 ? glyph : track;
    };
    EXPECT_EQ("", kit::Mismatch(list->hwnd, unselected, {0, 30, 100, 100}));
    EXPECT_EQ("", kit::Mismatch(list->hwnd, kit::Solid(selection), {1, 16, 99, 29}))
        << "the selection bar inside its focus rectangle";
    EXPECT_NE("", kit::Mismatch(list->hwnd, kit::Solid(selection), {0, 15, 100, 16}));
    list->SetSelection(-1, FALSE);
    EXPECT_EQ("", kit::Mismatch(list->hwnd, unselected)) << "neither bar nor focus rectangle";
}

// A marquee steps one character per tick of its own timer and starts again with a new text.
TEST_F(Controls, TextBoxMarqueeRotatesTextAndSeparator) {
    MakeBox(3, 10, "ABC");
    box->SetScrolling(1, 500);
    EXPECT_EQ("ABC - ", Marquee());
    for (int timer : {300, 300, 301}) // the marquee's timer is 300
        SendMessageA(box->hwnd, WM_TIMER, WPARAM(timer), 0);
    EXPECT_EQ("C - AB", Marquee());
    box->SetText("XYZ", TRUE);
    EXPECT_EQ("XYZ - ", Marquee());
    box->SetText("", TRUE);
    EXPECT_EQ("(still)", Marquee()) << "an empty text never scrolls";
}

TEST_F(Controls, TextBoxMouseGoesToTheParentInItsCoordinatesAndLeftClickIsACommand) {
    MakeBox(3, 40, "ABC");
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

// A tool as "Text(left, top, right, bottom)": an area tool of a window, or a handle tool.
std::string Tool(const WTooltip& tip, HWND window, UINT_PTR id) {
    char text[80] = "";
    TOOLINFOA info = {sizeof(info), window ? 0u : TTF_IDISHWND, window, id, {}, nullptr, text, 0,
                      nullptr};
    if (!SendMessageA(tip.window, TTM_GETTOOLINFOA, 0, (LPARAM)&info)) return "no tool";
    return kit::Call(text, info.rect.left, info.rect.top, info.rect.right, info.rect.bottom);
}

// Records the relayed messages that reach a tooltip window.
kit::Log relays;
WNDPROC tooltipProcedure;

LRESULT CALLBACK RecordRelay(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTM_RELAYEVENT) {
        const MSG* msg = (const MSG*)lParam;
        relays.push_back(kit::Call("relay", msg->hwnd, msg->message, msg->lParam));
    }
    return CallWindowProcA(tooltipProcedure, window, message, wParam, lParam);
}

// An area tool on the parent over the control, and a tool keyed by the control's
// handle; setting another tooltip takes both away from the first. The hook relays the mouse
// messages of windows with tools, and serves every tooltip while one lives.
TEST_F(Controls, TooltipsGiveAControlTwoToolsAndRelayItsMouseMessages) {
    MakeButton(3);
    MakeSlider(9); // no tool
    auto* first = new WTooltip(parent.hwnd);
    WTooltip second(parent.hwnd);
    EXPECT_EQ(1, button->SetTooltip(first, "Play"));
    EXPECT_EQ("Play(10, 10, 40, 26)", Tool(*first, parent.hwnd, button->toolId));
    EXPECT_EQ("Play(10, 10, 40, 26)", Tool(*first, nullptr, (UINT_PTR)button->hwnd));
    button->SetTooltip(&second, "Pause");
    EXPECT_EQ(0, SendMessageA(first->window, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(2, SendMessageA(second.window, TTM_GETTOOLCOUNT, 0, 0));
    delete first;

    second.Enable(0); // no tip is to show while the relay is watched
    tooltipProcedure =
        (WNDPROC)SetWindowLongPtrA(second.window, GWLP_WNDPROC, (LONG_PTR)RecordRelay);
    const LPARAM overControl = MAKELPARAM(15, 15), besideControl = MAKELPARAM(150, 150);
    PostMessageA(button->hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, 2));
    PostMessageA(button->hwnd, WM_MBUTTONDOWN, 0, MAKELPARAM(5, 6)); // not relayed
    PostMessageA(parent.hwnd, WM_LBUTTONDOWN, 0, overControl);       // for the child below
    PostMessageA(parent.hwnd, WM_LBUTTONUP, 0, besideControl);       // no child there
    PostMessageA(slider->hwnd, WM_MOUSEMOVE, 0, overControl);        // no tool at all
    kit::Pump();
    EXPECT_EQ(kit::Log({kit::Call("relay", button->hwnd, WM_MOUSEMOVE, MAKELPARAM(1, 2)),
                        kit::Call("relay", parent.hwnd, WM_LBUTTONDOWN, overControl)}),
              relays);
}

// Every kind of control, in every drawing style by turns, made, painted, and switched to a
// freshly loaded skin. Every round also makes a form with a timer, a tooltip giving the button
// its tip, one without a parent, a modeless dialog and a font, and drops them.
void Controls::UseEveryKindOfHandle(int rounds, COLORREF lastColour) {
    const SourceRect& c = cell[0];
    for (int round = 0; round < rounds; round++) {
        MakeButton(3);
        MakeSlider(round % 3 ? 29 : 1);           // opaque or see-through
        MakeList(round % 2 ? 4 : 6);              // GDI font, or bitmap font
        MakeBox(round % 2 ? 4 : 3, 20, "ABCABC"); // GDI font over a colour, or bitmap font
        box->SetScrolling(1, 500);
        std::unique_ptr<WBmpList> next =
            kit::Skin(9, 10, {round + 1 == rounds ? lastColour : RGB(round, 0, 0)});
        button->SetSkin(next.get(), 0, &c, &c, &c, &c);
        slider->SetSkin(next.get(), 0, 9, &c, &c, &c, &c, 0, &c, TRUE);
        box->SetSkin(&gdiFont, 0, RGB(0, 60, 0), next.get(), 0, &c, &font, TRUE);
        list->SetSkin(nullptr, 0, 0, next.get(), 0, &c, nullptr, selection, mark);
        skin = std::move(next);
        for (int i = 0; i < 5; i++)
            list->AddTrack(i, "ABC", TRUE);
        list->SetSelection(round % 5, FALSE);
        list->SetMarked(round % 4, TRUE);
        SendMessageA(box->hwnd, WM_TIMER, WTextBox::marqueeTimer, 0);
        if (round % 7 == 0) box->SetText(round % 3 ? "A" : "CBACBA", TRUE);
        kit::Pump(); // paints them all

        WForm form;
        form.Create(("Hygiene" + std::to_string(rounds * 100 + round)).c_str(), nullptr, nullptr,
                    nullptr, nullptr, nullptr, 0, "", WS_POPUP, 0, 0, 50, 50, nullptr);
        WTooltip tip(form.hwnd), parentless(nullptr);
        button->SetTooltip(&tip, "tip");
        form.SetTimer(1, 1000);
        WDialog dialog;
        dialog.Show(GetModuleHandleA(nullptr), 1, "WLIBTEST_DIALOG", nullptr);
        WFont font(8 + round % 16, round % 16, "Arial");
        EXPECT_TRUE(dialog.hwnd && font.handle);
        DestroyWindow(form.hwnd);
    }
    EXPECT_EQ("", kit::Mismatch(button->hwnd, kit::Solid(lastColour)))
        << "the last skin is the one shown";
}

// The same controls are alive at both counts: those of a last, odd round.
TEST_F(Controls, TheToolkitGivesBackEveryWindowAndGdiObjectItTakes) {
    UseEveryKindOfHandle(2, RGB(0, 200, 0)); // and the platform's first-use objects
    kit::Pump();
    const int windows = ThreadWindowCount(), room = GdiRoom();
    UseEveryKindOfHandle(30, RGB(200, 0, 200));
    kit::Pump();
    EXPECT_EQ(windows, ThreadWindowCount());
    EXPECT_EQ(room, GdiRoom());
}

} // namespace
