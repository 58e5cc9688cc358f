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

std::unique_ptr<WBmpList> Skin(COLORREF colour) {
    return kit::ListOf(*kit::Strip(10, 10, {colour, RGB(0, 0, 255)}));
}

// Every kind of control in every drawing style, painted over and over while its skin is
// switched to freshly loaded bitmaps.
void PaintAndReskinEveryControl(int rounds, COLORREF lastColour) {
    kit::Parent& parent = kit::Fresh();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    std::unique_ptr<WBmpList> skin = Skin(RGB(9, 9, 9));
    std::unique_ptr<WBmpList> glyphs = kit::GlyphListOf(*kit::Strip(30, 11, {RGB(250, 0, 0)}));
    WBmpFont font(glyphs.get(), 0, "05 ABC -", 11);
    WFont gdiFont;
    SourceRect cell = {0, 0, 10, 10};

    WButton button;
    button.Create(parent.hwnd, 3, 100, instance, 0, 0, 20, 20, "", skin.get(), 0, &cell, &cell,
                  &cell, &cell);
    WScrollbar opaqueSlider, seeThroughSlider;
    opaqueSlider.Create(parent.hwnd, 29, 200, instance, 0, 30, 100, 10, "", skin.get(), 0, 9, &cell,
                        &cell, &cell, &cell, 0, &cell);
    seeThroughSlider.Create(parent.hwnd, 1, 201, instance, 0, 45, 100, 10, "", skin.get(), 0, 9,
                            &cell, &cell, &cell, &cell, 0, &cell);
    WListBox list, gdiList;
    list.Create(parent.hwnd, 6, 450, instance, 120, 0, 100, 100, "", nullptr, 0, 0, skin.get(), 0,
                &cell, &font, RGB(0, 0, 99), RGB(99, 0, 0));
    gdiList.Create(parent.hwnd, 4, 451, instance, 240, 0, 60, 100, "", &gdiFont, 0, 0, skin.get(),
                   0, &cell, nullptr, RGB(0, 0, 99), RGB(99, 0, 0));
    auto* listSlider = new WScrollbar;
    listSlider->Create(parent.hwnd, 29, 400, instance, 220, 0, 10, 100, "", skin.get(), 0, 10,
                       &cell, &cell, &cell, &cell, 0, &cell);
    list.AttachSlider(listSlider);
    WTextBox boxes[3];
    const int styles[3] = {3, 1, 4};
    for (int i = 0; i < 3; i++) {
        boxes[i].Create(parent.hwnd, styles[i], 300 + i, instance, 0, 60 + 15 * i, 20, 11, "ABCABC",
                        &gdiFont, 0, RGB(0, 60, 0), skin.get(), 0, &cell, &font);
        boxes[i].SetScrolling(1, 500);
    }

    HWND windows[] = {button.hwnd,  opaqueSlider.hwnd, seeThroughSlider.hwnd, list.hwnd,
                      gdiList.hwnd, boxes[0].hwnd,     boxes[1].hwnd,         boxes[2].hwnd};
    for (int round = 0; round < rounds; round++) {
        std::unique_ptr<WBmpList> next = Skin(round + 1 == rounds ? lastColour : RGB(round, 0, 0));
        button.SetSkin(next.get(), 0, &cell, &cell, &cell, &cell);
        opaqueSlider.SetSkin(next.get(), 0, 9, &cell, &cell, &cell, &cell, 0, &cell, TRUE);
        seeThroughSlider.SetSkin(next.get(), 0, 9, &cell, &cell, &cell, &cell, 0, &cell, TRUE);
        listSlider->SetSkin(next.get(), 0, 10, &cell, &cell, &cell, &cell, 0, &cell, TRUE);
        list.SetSkin(nullptr, 0, 0, next.get(), 0, &cell, nullptr, RGB(0, 0, 99), RGB(99, 0, 0));
        for (WTextBox& box : boxes)
            box.SetSkin(&gdiFont, 0, RGB(0, 60, 0), next.get(), 0, &cell, &font, TRUE);
        skin = std::move(next);

        for (WListBox* each : {&list, &gdiList}) {
            each->AddTrack(round + 1, "ABC", TRUE);
            each->SetSelection(round / 2, FALSE);
            each->SetMarked(round / 3, TRUE);
        }
        SendMessageA(boxes[round % 3].hwnd, WM_TIMER, WTextBox::marqueeTimer, 0);
        if (round % 7 == 0) boxes[round % 3].SetText(round % 2 ? "A" : "CBACBA", TRUE);
        for (HWND window : windows) {
            InvalidateRect(window, nullptr, FALSE);
            UpdateWindow(window);
        }
        UpdateWindow(parent.hwnd);
    }
    EXPECT_EQ("", kit::Capture(button.hwnd)->Mismatch(0, 0, 20, 20, kit::Solid(lastColour)))
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
