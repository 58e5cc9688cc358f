#include "gfx/WBmpFont.h"
#include "wlib/ControlTestKit.h"
#include "wlib/WButton.h"
#include "wlib/WDialog.h"
#include "wlib/WFont.h"
#include "wlib/WForm.h"
#include "wlib/WListBox.h"
#include "wlib/WScrollbar.h"
#include "wlib/WTextBox.h"
#include "wlib/WTooltip.h"

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

int ThreadWindowCount() {
    int count = 0;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        count += GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
    return count;
}

// Every kind of control in every drawing style, painted over and over while its skin is
// switched to freshly loaded bitmaps. Every round also makes a form with a child, a tip and a
// timer, a tooltip without a parent, a modeless dialog and a font, and drops them.
void UseEveryKindOfHandle(int rounds, COLORREF lastColour) {
    HWND parent = kit::Fresh().hwnd;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto skinOf = [](COLORREF colour) { return kit::Skin(10, 10, {colour, RGB(0, 0, 255)}); };
    std::unique_ptr<WBmpList> skin = skinOf(RGB(9, 9, 9));
    std::unique_ptr<WBmpList> glyphs = kit::Skin(30, 11, {RGB(250, 0, 0)}, true);
    WBmpFont font(glyphs.get(), 0, "05 ABC -", 11);
    WFont gdiFont;
    SourceRect c = {0, 0, 10, 10};

    WButton button;
    button.Create(parent, 3, 100, instance, 0, 0, 20, 20, "", skin.get(), 0, &c, &c, &c, &c);
    auto* slider = new WScrollbar; // opaque, given to the list
    slider->Create(parent, 29, 200, instance, 220, 0, 10, 100, "", skin.get(), 0, 9, &c, &c, &c, &c,
                   0, &c);
    WListBox lists[2]; // bitmap font, GDI font
    WTextBox boxes[2]; // bitmap font over an image, GDI font over a colour
    for (int i = 0; i < 2; i++) {
        lists[i].Create(parent, i ? 4 : 6, 450 + i, instance, 120 * (i + 1), 0, 100, 100, "",
                        &gdiFont, 0, 0, skin.get(), 0, &c, &font, RGB(0, 0, 99), RGB(99, 0, 0));
        boxes[i].Create(parent, i ? 4 : 3, 300 + i, instance, 0, 60 + 15 * i, 20, 11, "ABCABC",
                        &gdiFont, 0, RGB(0, 60, 0), skin.get(), 0, &c, &font);
        boxes[i].SetScrolling(1, 500);
    }
    lists[0].AttachSlider(slider);

    for (int round = 0; round < rounds; round++) {
        std::unique_ptr<WBmpList> next =
            skinOf(round + 1 == rounds ? lastColour : RGB(round, 0, 0));
        button.SetSkin(next.get(), 0, &c, &c, &c, &c);
        slider->SetSkin(next.get(), 0, 9, &c, &c, &c, &c, 0, &c, TRUE);
        for (WTextBox& box : boxes)
            box.SetSkin(&gdiFont, 0, RGB(0, 60, 0), next.get(), 0, &c, &font, TRUE);
        skin = std::move(next);

        for (WListBox& list : lists) {
            list.SetSkin(nullptr, 0, 0, skin.get(), 0, &c, nullptr, RGB(0, 0, 99), RGB(99, 0, 0));
            list.AddTrack(round + 1, "ABC", TRUE);
            list.SetSelection(round / 2, FALSE);
            list.SetMarked(round / 3, TRUE);
        }
        SendMessageA(boxes[round % 2].hwnd, WM_TIMER, WTextBox::marqueeTimer, 0);
        if (round % 7 == 0) boxes[round % 2].SetText(round % 2 ? "A" : "CBACBA", TRUE);
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);

        WForm form;
        form.Create(("Hygiene" + std::to_string(rounds * 100 + round)).c_str(), nullptr, nullptr,
                    nullptr, nullptr, nullptr, 0, "", WS_POPUP, 0, 0, 50, 50, nullptr);
        WControl child;
        child.hwnd = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 5, 5, 20, 20, form.hwnd, nullptr,
                                     nullptr, nullptr);
        WTooltip tip(form.hwnd), parentless(nullptr);
        child.SetTooltip(&tip, "tip");
        form.SetTimer(1, 1000);
        WDialog dialog;
        dialog.Show(instance, 1, "WLIBTEST_DIALOG", nullptr);
        WFont gdi(8 + round % 16, round % 16, "Arial");
        EXPECT_TRUE(dialog.hwnd && gdi.handle);
        DestroyWindow(form.hwnd);
    }
    EXPECT_EQ("", kit::Mismatch(button.hwnd, kit::Solid(lastColour)))
        << "the last skin is the one shown";
}

TEST(Hygiene, TheToolkitGivesBackEveryWindowAndGdiObjectItTakes) {
    UseEveryKindOfHandle(1, RGB(0, 200, 0)); // the platform's first-use objects
    kit::Pump();
    const int windows = ThreadWindowCount(), room = GdiRoom();
    UseEveryKindOfHandle(30, RGB(200, 0, 200));
    kit::Pump();
    EXPECT_EQ(windows, ThreadWindowCount());
    EXPECT_EQ(room, GdiRoom());
}

} // namespace
