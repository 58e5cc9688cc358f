#include "wlib/WListBox.h"

#include "gfx/WBmpFont.h"
#include "wlib/ControlTestKit.h"
#include "wlib/WScrollbar.h"

#include <gtest/gtest.h>

namespace {

const COLORREF background = RGB(20, 40, 60), selection = RGB(0, 0, 160), mark = RGB(160, 0, 0),
               glyph = RGB(250, 250, 0);

// A 100 x 100 list of rows 10 high at (10, 10) over a tiled background, texts in a bitmap
// font whose only glyph, "A", is a solid 5 x 11 block.
struct ListFixture : ::testing::Test {
    kit::Parent& parent = kit::Fresh();
    std::unique_ptr<WBmpList> skin = kit::Skin(4, 4, {background});
    std::unique_ptr<WBmpList> glyphs = kit::Skin(5, 11, {glyph}, true);
    WBmpFont font{glyphs.get(), 0, "05 A", 11};
    WListBox list;

    void SetUp() override {
        SourceRect tile = {0, 0, 4, 4};
        ASSERT_TRUE(list.Create(parent.hwnd, 6, 450, nullptr, 10, 10, 100, 100, "", nullptr, 0, 0,
                                skin.get(), 0, &tile, &font, selection, mark));
        list.SetItemHeight(0, 10, FALSE);
    }
    void AddTracks(int count) {
        for (int i = 1; i <= count; i++)
            list.AddTrack(i, "Song", FALSE);
    }
};

// Enter is a double click; the next mark after the last wraps to the first.
TEST_F(ListFixture, MarkStaysOnItsTrackThroughInsertsDeletesAndMoves) {
    AddTracks(5);
    char text[WListBox::textCapacity];
    list.GetItemText(4, text);
    EXPECT_STREQ("05. Song", text);
    // m marks, i inserts at, d deletes at, v selects and moves by, n moves with nothing
    // selected; each step records a move's answer and the track (item data, which a move
    // keeps) marked after it.
    std::istringstream steps("m2 i0 d0 d4 d99 d2 d2 i0 m1 v2-5 v2+1 v2-1 v1+0 n1+1");
    std::string seen;
    for (std::string s; steps >> s;) {
        char* rest;
        int index = int(std::strtol(s.c_str() + 1, &rest, 10)), delta = std::atoi(rest);
        if (s[0] == 'm') list.SetMarked(index, FALSE);
        if (s[0] == 'i') list.InsertItem(index, "new", FALSE);
        if (s[0] == 'd') list.DeleteItem(index, FALSE);
        if (s[0] == 'v' || s[0] == 'n') {
            list.SetSelection(s[0] == 'v' ? index : -1, FALSE);
            seen += std::to_string(list.MoveSelected(index, delta, FALSE)) + ":";
        }
        int marked = list.GetMarked();
        seen += (marked < 0 ? "-" : std::to_string(list.GetItemData(marked))) + " ";
    }
    // Deleting the marked track marks the next, deleting the last leaves none; a move is
    // clamped to the list and takes the mark along.
    EXPECT_EQ("3 3 3 3 3 4 - - 1 0:1 2:1 1:1 -1:1 -1:1 ", seen);
    list.SetMarked(list.GetCount() - 1, FALSE);
    EXPECT_EQ(0, list.NextMarked());
    list.SetSelection(1, FALSE);
    kit::Play(list.hwnd, "E0 C5 U5", 12);
    EXPECT_EQ("cmd(450,2) cmd(450,2)", parent.log);
    list.Clear(FALSE);
    EXPECT_EQ(-1, list.GetMarked());
}

// The range is set from the count before each change, 10 rows shown; the slider's
// thumb-track scrolls the list, which stops at its last full page.
TEST_F(ListFixture, SliderRangeFollowsTheCountAndScrollsTheList) {
    auto* slider = new WScrollbar;
    ASSERT_TRUE(slider->Create(parent.hwnd, 29, 400, nullptr, 110, 10, 10, 100, "", skin.get(), 0,
                               10, nullptr, nullptr, nullptr, nullptr, 0, nullptr));
    list.AttachSlider(slider);
    auto rangeEnd = [&] {
        int low = -1, high = -1;
        GetScrollRange(slider->hwnd, SB_CTL, &low, &high);
        return low == 0 ? high : -1;
    };
    AddTracks(20);
    EXPECT_EQ(10, rangeEnd());
    list.AddItem("21", FALSE);
    EXPECT_EQ(11, rangeEnd());
    list.SetItemHeight(0, 20, FALSE); // 5 rows
    EXPECT_EQ(17, rangeEnd());
    list.SetItemHeight(0, 10, FALSE);
    kit::Play(slider->hwnd, "D5 U5", 95, true);
    EXPECT_EQ(11, list.GetTopIndex());
    EXPECT_EQ(12, slider->GetPosition());
    EXPECT_EQ("vpos(12)", parent.log);
}

// Rows 15 high: the second selected, "A" in the third, the fourth marked.
TEST_F(ListFixture, PaintsBarsAndTextsAndNoBarWithoutASelection) {
    for (int i = 0; i < 5; i++)
        list.AddItem(i == 2 ? "A" : "", FALSE);
    list.SetTextIndent(7, FALSE);
    list.SetItemHeight(0, 15, FALSE); // glyphs 11 high: lowered by 2
    list.SetSelection(1, FALSE);
    list.SetMarked(3, TRUE);
    auto unselected = [](int x, int y) {
        if (y >= 45 && y < 60) return mark;
        return x >= 7 && x < 12 && y >= 32 && y < 43 ? glyph : background;
    };
    EXPECT_EQ("", kit::Mismatch(list.hwnd, unselected, {0, 30, 100, 100}));
    EXPECT_EQ("", kit::Mismatch(list.hwnd, kit::Solid(selection), {1, 16, 99, 29}))
        << "the selection bar inside its focus rectangle";
    EXPECT_NE("", kit::Mismatch(list.hwnd, kit::Solid(selection), {0, 15, 100, 16}));
    list.SetSelection(-1, FALSE);
    EXPECT_EQ("", kit::Mismatch(list.hwnd, unselected)) << "neither bar nor focus rectangle";
}

} // namespace
