#include "wlib/WListBox.h"

#include "gfx/WBmpFont.h"
#include "wlib/ControlTestKit.h"
#include "wlib/WScrollbar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const COLORREF backgroundColour = RGB(20, 40, 60);
const COLORREF selectionColour = RGB(0, 0, 160);
const COLORREF markColour = RGB(160, 0, 0);
const COLORREF glyphColour = RGB(250, 250, 0);
const int listId = 450;

// A 100 x 100 list of rows 10 high at (10, 10) over a tiled background, texts in a bitmap
// font whose only glyph, "A", is a solid 5 x 11 block.
struct ListFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> skin = kit::ListOf(*kit::Strip(4, 4, {backgroundColour}));
    std::unique_ptr<WBmpList> glyphs = kit::GlyphListOf(*kit::Strip(5, 11, {glyphColour}));
    WBmpFont font{glyphs.get(), 0, "05 A", 11};
    WListBox list;

    void SetUp() override {
        SourceRect tile = {0, 0, 4, 4};
        ASSERT_TRUE(list.Create(parent.hwnd, 6, listId, GetModuleHandleA(nullptr), 10, 10, 100, 100,
                                "", nullptr, 0, 0, skin.get(), 0, &tile, &font, selectionColour,
                                markColour));
        list.SetItemHeight(0, 10, FALSE);
    }
    void AddTracks(int count) {
        const char* names[] = {"Intro", "Blue", "Coda", "Dusk", "Echo", "Fade"};
        for (int i = 1; i <= count; i++)
            list.AddTrack(i, names[(i - 1) % 6], FALSE);
    }
    std::string MarkedText() {
        char text[WListBox::textCapacity];
        list.GetItemText(list.GetMarked(), text);
        return text;
    }
    std::string Texts() {
        std::string all;
        char text[WListBox::textCapacity];
        for (int i = 0; i < list.GetCount(); i++) {
            list.GetItemText(i, text);
            all += std::string(text) + "=" + std::to_string(list.GetItemData(i)) + " ";
        }
        return all;
    }
};

TEST_F(ListFixture, MarkStaysOnItsTrackThroughInsertsDeletesAndMoves) {
    AddTracks(5);
    EXPECT_EQ("01. Intro=1 02. Blue=2 03. Coda=3 04. Dusk=4 05. Echo=5 ", Texts());
    list.SetMarked(2, FALSE);
    list.InsertItem(0, "new", FALSE);
    EXPECT_EQ("03. Coda", MarkedText());
    list.DeleteItem(0, FALSE);
    EXPECT_EQ("03. Coda", MarkedText());
    list.DeleteItem(4, FALSE);  // below the mark
    list.DeleteItem(99, FALSE); // no such item
    EXPECT_EQ(2, list.GetMarked());
    list.DeleteItem(2, FALSE); // the marked item: the mark goes to the next track
    EXPECT_EQ("04. Dusk", MarkedText());
    list.DeleteItem(2, FALSE); // the marked item, now the last: no mark
    EXPECT_EQ(-1, list.GetMarked());
    list.InsertItem(0, "top", FALSE);
    EXPECT_EQ(-1, list.GetMarked()) << "no mark stays no mark";

    list.SetMarked(1, FALSE); // "01. Intro" in: top, Intro, Blue
    list.SetSelection(2, FALSE);
    EXPECT_EQ(0, list.MoveSelected(2, -5, FALSE)) << "clamped to the first place";
    EXPECT_EQ("02. Blue=2 top=0 01. Intro=1 ", Texts());
    EXPECT_EQ("01. Intro", MarkedText());
    list.SetSelection(2, FALSE);
    EXPECT_EQ(2, list.MoveSelected(2, 1, FALSE)) << "the last stays last";
    EXPECT_EQ("01. Intro", MarkedText());
    list.SetSelection(2, FALSE);
    EXPECT_EQ(1, list.MoveSelected(2, -1, FALSE)) << "the marked item takes its mark along";
    EXPECT_EQ(1, list.GetMarked());
    list.SetSelection(1, FALSE);
    EXPECT_EQ(-1, list.MoveSelected(1, 0, FALSE));
    list.SetSelection(-1, FALSE);
    EXPECT_EQ(-1, list.MoveSelected(1, 1, FALSE));
    list.Clear(FALSE);
    EXPECT_EQ(-1, list.GetMarked());
}

TEST_F(ListFixture, NextAndPreviousMarkedAndFindByData) {
    AddTracks(3);
    EXPECT_EQ(0, list.NextMarked()) << "no mark";
    EXPECT_EQ(0, list.PreviousMarked());
    list.SetMarked(0, FALSE);
    EXPECT_EQ(1, list.NextMarked());
    EXPECT_EQ(0, list.PreviousMarked());
    list.SetMarked(2, FALSE);
    EXPECT_EQ(0, list.NextMarked()) << "wraps after the last";
    EXPECT_EQ(1, list.PreviousMarked());
    EXPECT_EQ(2, list.FindByData(3));
    EXPECT_EQ(0, list.FindByData(42)) << "none";
}

TEST_F(ListFixture, EnterSendsTheDoubleClickCommand) {
    AddTracks(3);
    list.SetSelection(1, FALSE);
    SendMessageA(list.hwnd, WM_KEYDOWN, VK_RETURN, 0);
    RECT item;
    list.GetItemRect(1, &item);
    SendMessageA(list.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, kit::Point(5, item.top + 2));
    SendMessageA(list.hwnd, WM_LBUTTONUP, 0, kit::Point(5, item.top + 2));
    kit::Pump();
    MessageLog commands = parent.log.Only({"WM_COMMAND"});
    LogEntry doubleClick("WM_COMMAND", {listId, LBN_DBLCLK, (INT_PTR)list.hwnd});
    EXPECT_TRUE(commands.Matches({doubleClick, doubleClick}));
}

TEST_F(ListFixture, SliderRangeFollowsTheCountBeforeEachChangeAndScrollsTheList) {
    auto* slider = new WScrollbar;
    ASSERT_TRUE(slider->Create(parent.hwnd, 29, 400, GetModuleHandleA(nullptr), 110, 10, 10, 100,
                               "", skin.get(), 0, 10, nullptr, nullptr, nullptr, nullptr, 0,
                               nullptr));
    list.AttachSlider(slider);
    auto range = [&] {
        int low = -1, high = -1;
        GetScrollRange(slider->hwnd, SB_CTL, &low, &high);
        return std::to_string(low) + ".." + std::to_string(high);
    };
    AddTracks(20);
    EXPECT_EQ("0..10", range());
    list.AddItem("21", FALSE);
    EXPECT_EQ("0..11", range()) << "20 items before the change, 10 rows shown";
    list.SetItemHeight(0, 20, FALSE); // 5 rows
    EXPECT_EQ("0..17", range());
    list.SetItemHeight(0, 10, FALSE);

    // The slider's thumb-track reaches the list, which scrolls to the value.
    kit::CursorTo(slider->hwnd, 5, 95);
    SendMessageA(slider->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, kit::Point(5, 95));
    SendMessageA(slider->hwnd, WM_LBUTTONUP, 0, kit::Point(5, 95));
    EXPECT_EQ(11, list.GetTopIndex()) << "the list stops at its last full page";
    EXPECT_EQ(12, slider->GetPosition());
    EXPECT_TRUE(
        parent.log.Only({"WM_VSCROLL"})
            .Matches({LogEntry("WM_VSCROLL", {SB_THUMBPOSITION, 12, (INT_PTR)slider->hwnd})}));

    // Keyboard scrolling moves the thumb to the new top index at the next paint.
    SetFocus(list.hwnd);
    list.SetSelection(0, FALSE);
    SendMessageA(list.hwnd, WM_KEYDOWN, VK_HOME, 0);
    UpdateWindow(list.hwnd);
    EXPECT_EQ(0, list.GetTopIndex());
    EXPECT_EQ(0, slider->GetPosition());
}

TEST_F(ListFixture, PaintsBackgroundBarsAndTexts) {
    for (int i = 0; i < 5; i++)
        list.AddItem(i == 2 ? "A" : "", FALSE);
    list.SetTextIndent(7, FALSE);
    list.SetItemHeight(0, 15, FALSE); // glyphs 11 high: lowered by 2
    list.SetSelection(1, FALSE);
    list.SetMarked(3, TRUE);
    auto picture = kit::Capture(list.hwnd);
    EXPECT_EQ("", picture->Mismatch(0, 0, 100, 15, kit::Solid(backgroundColour)));
    EXPECT_EQ("", picture->Mismatch(1, 16, 98, 13, kit::Solid(selectionColour)))
        << "selection bar inside its focus rectangle";
    EXPECT_NE("", picture->Mismatch(0, 15, 100, 1, kit::Solid(selectionColour)))
        << "focus rectangle";
    EXPECT_EQ("", picture->Mismatch(0, 45, 100, 15, kit::Solid(markColour)));
    EXPECT_EQ("", picture->Mismatch(0, 30, 100, 15, [](int x, int y) {
        return x >= 7 && x < 12 && y >= 32 && y < 43 ? glyphColour : backgroundColour;
    }));
    EXPECT_EQ("", picture->Mismatch(0, 60, 100, 40, kit::Solid(backgroundColour)));

    // The mark bar covers the selection bar; without a selection there is neither bar nor
    // focus rectangle.
    list.SetSelection(3, TRUE);
    EXPECT_EQ("", kit::Capture(list.hwnd)->Mismatch(1, 46, 98, 13, kit::Solid(markColour)));
    list.SetSelection(-1, FALSE);
    list.SetMarked(-1, TRUE);
    EXPECT_EQ("", kit::Capture(list.hwnd)->Mismatch(0, 0, 100, 30, kit::Solid(backgroundColour)));
}

TEST(ListBox, LowStylesLeaveAPlainSystemList) {
    kit::Parent& parent = kit::Fresh();
    WListBox list;
    ASSERT_TRUE(list.Create(parent.hwnd, 1, listId, GetModuleHandleA(nullptr), 10, 10, 100, 100, "",
                            nullptr, 0, 0, nullptr, 0, nullptr, nullptr, 0, 0));
    EXPECT_EQ(nullptr, list.oldProc);
    EXPECT_EQ(nullptr, WControl::FromHandle(list.hwnd));
    list.AddTrack(7, "Seven", FALSE);
    EXPECT_EQ(7, list.GetItemData(0));
}

} // namespace
