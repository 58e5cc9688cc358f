#include "gfx/WBmpFont.h"
#include "wlib/ControlTestKit.h"
#include "wlib/WButton.h"
#include "wlib/WFont.h"
#include "wlib/WListBox.h"
#include "wlib/WScrollbar.h"
#include "wlib/WTextBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// How many more GDI objects the process may make. Wine counts none with GetGuiResources, so
// the room left under the handle limit is measured instead; a leak shrinks it on every
// platform.
int GdiRoom() {
    std::vector<HBRUSH> brushes;
    while (brushes.size() < 200000) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (!brush) break;
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return static_cast<int>(brushes.size());
}

// Every kind of control in every drawing style, painted over and over while its skin is
// switched to freshly loaded bitmaps.
void PaintAndReskinEveryControl(int rounds, COLORREF lastColour) {
    HWND parent = kit::Fresh().hwnd;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto skinOf = [](COLORREF colour) { return kit::Skin(10, 10, {colour, RGB(0, 0, 255)}); };
    std::unique_ptr<WBmpList> skin = skinOf(RGB(9, 9, 9));
    std::unique_ptr<WBmpList> glyphs = kit::Skin(30, 11, {RGB(250, 0, 0)}, true);
    WBmpFont font(glyphs.get(), 0, "05 ABC -", 11);
    WFont gdiFont;
    SourceRect c = {0, 0, 10, 10};
    const COLORREF bars[2] = {RGB(0, 0, 99), RGB(99, 0, 0)};

    WButton button;
    button.Create(parent, 3, 100, instance, 0, 0, 20, 20, "", skin.get(), 0, &c, &c, &c, &c);
    WScrollbar sliders[2]; // opaque, see-through
    auto* listSlider = new WScrollbar;
    WScrollbar* allSliders[3] = {&sliders[0], &sliders[1], listSlider};
    const SourceRect places[3] = {{0, 30, 100, 10}, {0, 45, 100, 10}, {220, 0, 10, 100}};
    for (int i = 0; i < 3; i++)
        allSliders[i]->Create(parent, i == 1 ? 1 : 29, 200 + i, instance, places[i].x, places[i].y,
                              places[i].width, places[i].height, "", skin.get(), 0, 9, &c, &c, &c,
                              &c, 0, &c);
    WListBox lists[2]; // bitmap font, GDI font
    for (int i = 0; i < 2; i++)
        lists[i].Create(parent, i ? 4 : 6, 450 + i, instance, 120 * (i + 1), 0, 100, 100, "",
                        &gdiFont, 0, 0, skin.get(), 0, &c, &font, bars[0], bars[1]);
    lists[0].AttachSlider(listSlider);
    WTextBox boxes[3]; // bitmap font over an image, see-through, GDI font over a colour
    const int boxStyles[3] = {3, 1, 4};
    for (int i = 0; i < 3; i++) {
        boxes[i].Create(parent, boxStyles[i], 300 + i, instance, 0, 60 + 15 * i, 20, 11, "ABCABC",
                        &gdiFont, 0, RGB(0, 60, 0), skin.get(), 0, &c, &font);
        boxes[i].SetScrolling(1, 500);
    }

    for (int round = 0; round < rounds; round++) {
        std::unique_ptr<WBmpList> next =
            skinOf(round + 1 == rounds ? lastColour : RGB(round, 0, 0));
        button.SetSkin(next.get(), 0, &c, &c, &c, &c);
        for (WScrollbar* slider : allSliders)
            slider->SetSkin(next.get(), 0, 9, &c, &c, &c, &c, 0, &c, TRUE);
        for (WTextBox& box : boxes)
            box.SetSkin(&gdiFont, 0, RGB(0, 60, 0), next.get(), 0, &c, &font, TRUE);
        skin = std::move(next);

        for (WListBox& list : lists) {
            list.SetSkin(nullptr, 0, 0, skin.get(), 0, &c, nullptr, bars[0], bars[1]);
            list.AddTrack(round + 1, "ABC", TRUE);
            list.SetSelection(round / 2, FALSE);
            list.SetMarked(round / 3, TRUE);
        }
        SendMessageA(boxes[round % 3].hwnd, WM_TIMER, WTextBox::marqueeTimer, 0);
        if (round % 7 == 0) boxes[round % 3].SetText(round % 2 ? "A" : "CBACBA", TRUE);
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    EXPECT_EQ("", kit::Mismatch(button.hwnd, kit::Solid(lastColour)))
        << "the last skin is the one shown";
}

TEST(Hygiene, PaintingAndSwitchingSkinsGiveBackEveryGdiObject) {
    PaintAndReskinEveryControl(1, RGB(0, 200, 0)); // the platform's first-use objects
    kit::Pump();
    int before = GdiRoom();
    PaintAndReskinEveryControl(30, RGB(200, 0, 200));
    kit::Pump();
    EXPECT_EQ(before, GdiRoom());
}

} // namespace
