// The playlist window with the built-in skin, as real windows: where it opens, where its
// controls go, what it paints, and what it gives back.
#include "app/Settings.h"
#include "forms/PlaylistForm.h"
#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"
#include "res/resource.h"
#include "skin/BuiltinRecords.h"
#include "skin/SkinReader.h"
#include "support/BuiltinSkinFolder.h"
#include "support/HandleCounts.h"
#include "support/ThisProgram.h"
#include "wlib/ControlTestKit.h"
#include "wlib/WScrollbar.h"
#include "wlib/WTooltip.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using HandleCounts::GdiRoom;
using HandleCounts::ThreadWindowCount;

using Ints = std::vector<int>;

// Where the settings say the playlist stands.
Ints Stored() {
    return {settings.playlistX, settings.playlistY, settings.playlistW, settings.playlistH};
}

Ints Rect(const SourceRect& r) {
    return {r.x, r.y, r.width, r.height};
}

// A window's rectangle: a child's in its parent's client area, a top-level one on screen.
Ints Place(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return {int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)};
}

// An area of the window that shows one piece of playlist.bmp: the tile whose top-left
// corner is (sx, sy), repeated from the area's top-left corner.
struct Area {
    const char* name;
    RECT area;
    int sx, sy, tileWidth, tileHeight;
};

// The built-in frame at a client size W x H: the middle title piece at (W - 100) / 2, the
// bottom pieces 38 high. The title pieces come from y 21 when the window is active, from y 0
// when not.
std::vector<Area> FrameAt(int w, int h, int titleY) {
    const int middle = (w - 100) / 2, bottom = h - 38;
    return {{"topleft", {0, 0, 25, 20}, 0, titleY, 25, 20},
            {"topmiddle", {middle, 0, middle + 100, 20}, 26, titleY, 100, 20},
            {"topright", {w - 25, 0, w, 20}, 153, titleY, 25, 20},
            {"left title fill", {25, 0, middle, 20}, 127, titleY, 25, 20},
            {"right title fill", {middle + 100, 0, w - 25, 20}, 127, titleY, 25, 20},
            {"bottomleft", {0, bottom, 154, h}, 0, 42, 154, 38},
            {"bottomright", {w - 20, bottom, w, h}, 155, 42, 20, 38},
            {"bottom fill", {154, bottom, w - 20, h}, 38, 81, 25, 38},
            {"left border", {0, 20, 9, bottom}, 64, 81, 9, 29},
            {"right border", {w - 7, 20, w, bottom}, 74, 81, 7, 29}};
}

// "" when every area shows its piece, else the first area and pixel that do not.
std::string FrameMismatch(HWND window, const ResourcePixels& picture,
                          const std::vector<Area>& areas) {
    for (const Area& a : areas) {
        std::string wrong = kit::Mismatch(
            window,
            [&](int x, int y) {
                return picture.At(a.sx + (x - int(a.area.left)) % a.tileWidth,
                                  a.sy + (y - int(a.area.top)) % a.tileHeight);
            },
            a.area);
        if (!wrong.empty()) return std::string(a.name) + ": " + wrong;
    }
    return "";
}

// The player's part: the six built-in bitmaps in their slots, the bitmap font, a tooltip, and
// the shared test window as the owner.
struct Playlist : ::testing::Test {
    kit::Parent& owner = kit::Fresh();
    WBmpList bitmaps{6};
    std::unique_ptr<WBmpFont> font;
    std::unique_ptr<WTooltip> tooltip = std::make_unique<WTooltip>(owner.hwnd);

    Playlist() {
        for (int id : {IDB_SKIN_MAIN, IDB_SKIN_TITLEBAR, IDB_SKIN_CBUTTONS, IDB_SKIN_SCROLL})
            bitmaps.AddBitmap(id);
        bitmaps.AddBitmapMasked(IDB_SKIN_FONT, RGB(0, 0, 0));
        bitmaps.AddBitmap(IDB_SKIN_PLAYLIST);
        font = std::make_unique<WBmpFont>(
            &bitmaps, 4, BuiltinRecords::Text(Module(), IDR_SKIN_TEXT_MAP).c_str(), 11);
    }
    ~Playlist() override {
        DestroyWindow(tooltip->window);
        tooltip.reset();
        kit::Pump();
    }

    // Made as the player makes it, after the settings have given it this rectangle.
    std::unique_ptr<PlaylistForm> Open(int x, int y, int width, int height) {
        settings.playlistX = x, settings.playlistY = y;
        settings.playlistW = width, settings.playlistH = height;
        auto form = std::make_unique<PlaylistForm>(&bitmaps, font.get(), tooltip.get());
        form->TakeLook(SkinReader::Builtin(Module()));
        form->Create(Module(), owner.hwnd);
        return form;
    }
    std::string TipOf(HWND control) const {
        char text[80] = "";
        TOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.lpszText = text;
        SendMessageA(tooltip->window, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
        return text;
    }
};

// A stored 100 x 100 far off the screen's top-left corner opens at the smallest size, with
// 10 pixels on screen; a stored size beyond the screen is cut to it, a position on the screen
// kept. Either way it opens hidden, and the settings hold where it went.
TEST_F(Playlist, OpensHiddenAtTheStoredRectangleKeptOnTheScreenAndNoSmallerThanItsPieces) {
    auto small = Open(-5000, -7000, 100, 100);
    ASSERT_TRUE(IsWindow(small->hwnd));
    EXPECT_FALSE(IsWindowVisible(small->hwnd));
    EXPECT_EQ(owner.hwnd, GetWindow(small->hwnd, GW_OWNER));
    EXPECT_EQ((Ints{174, 98}), (Ints{small->MinimumWidth(), small->MinimumHeight()}));
    EXPECT_EQ((Ints{10 - 174, 10 - 100, 174, 100}), Place(small->hwnd));
    EXPECT_EQ((Ints{10 - 174, 10 - 100, 174, 100}), Stored());
    char title[64] = "";
    GetWindowTextA(small->hwnd, title, sizeof title);
    EXPECT_STREQ("Lumivoxen CD Player", title);

    const int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    auto large = Open(30, 40, 99999, 99999);
    EXPECT_EQ((Ints{30, 40, screenWidth, screenHeight}), Place(large->hwnd));
    EXPECT_EQ((Ints{30, 40, screenWidth, screenHeight}), Stored());
}

// The built-in records make the controls: the list scrolls by its slider, the selection
// colour is the record's first, and the buttons have their tips. Then a skin's values: a
// taller middle title piece moves the list but not the slider, which starts under the right
// title piece; a wider left border and slider narrow the list; moved buttons and a taller
// entry follow; each control has its new look at once.
TEST_F(Playlist, MakesItsControlsFromTheRecordsAndRelayoutFollowsTheSkinsValues) {
    auto form = Open(300, 200, 275, 232);
    ASSERT_TRUE(form->slider);
    EXPECT_EQ(form->slider, form->list.slider.get());
    EXPECT_EQ(RGB(0x56, 0x04, 0x74), form->list.selectionColour);
    EXPECT_EQ("Close playlist", TipOf(form->buttons[PlaylistForm::btClose].hwnd));
    const std::int32_t middle[8] = {0, 0, 100, 30, 26, 0, 26, 21};
    const std::int32_t left[6] = {0, 0, 12, 29, 64, 81};
    const std::int32_t slider[12] = {0, 0, 14, 0, 82, 81, 40, 25, 119, 81, 9, 28};
    form->SetFramePiece(PlaylistForm::topMiddle, middle);
    form->SetFramePiece(PlaylistForm::leftBorder, left);
    form->SetSliderRecord(slider);
    const std::int32_t add[8] = {20, 40, 30, 22, 4, 100, 40, 20};
    const std::int32_t close[8] = {8, 4, 11, 10, 82, 110, 36, 9};
    form->SetButtonRecord(PlaylistForm::btAdd, SkinControl::FromValues(add));
    form->SetButtonRecord(PlaylistForm::btClose, SkinControl::FromValues(close));
    form->SetListRecord({{1, 2, 3, 4}, 60, RGB(1, 1, 1), RGB(2, 2, 2)});
    EXPECT_EQ((Ints{9, 20, 250, 174}), Place(form->list.hwnd)) << "nothing moves before Relayout";

    form->Relayout();
    // Where the list, the slider and the six buttons are, in this order.
    std::vector<Ints> places = {Place(form->list.hwnd), Place(form->slider->hwnd)};
    for (const WButton& button : form->buttons)
        places.push_back(Place(button.hwnd));
    EXPECT_EQ((Ints{12, 30, 275 - 12 - 7 - 14, 232 - 30 - 38}), places[0]);
    EXPECT_EQ((Ints{275 - 7 - 14, 20, 14, 232 - 30 - 38}), places[1]);
    EXPECT_EQ((Ints{20, 232 - 40, 30, 22}), places[2]);
    EXPECT_EQ((Ints{39, 200, 27, 20}), places[3]);
    EXPECT_EQ((Ints{275 - 8 - 11, 4, 11, 10}), places[7]);
    EXPECT_EQ((Ints{174, 30 + 38 + 60}), (Ints{form->MinimumWidth(), form->MinimumHeight()}));
    // At another size the list and slider fill the inside, the close button keeps its distance
    // to the right edge, the others theirs to the bottom edge.
    SetWindowPos(form->hwnd, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ((Ints{12, 30, 400 - 33, 300 - 68}), Place(form->list.hwnd));
    EXPECT_EQ((Ints{400 - 21, 20, 14, 300 - 68}), Place(form->slider->hwnd));
    EXPECT_EQ((Ints{39, 300 - 32, 27, 20}), Place(form->buttons[PlaylistForm::btDelete].hwnd));
    EXPECT_EQ((Ints{400 - 19, 4, 11, 10}), Place(form->buttons[PlaylistForm::btClose].hwnd));

    EXPECT_EQ((Ints{25, 10}), (Ints{form->slider->thumbLength, form->slider->thumbNormal.width}));
    EXPECT_EQ((Ints{92, 81, 10, 25}), Rect(form->slider->thumbDisabled));
    EXPECT_EQ((Ints{60, 1, 2, 3, 4}),
              (Ints{form->list.GetItemHeight(), form->list.backgroundSource.x,
                    form->list.backgroundSource.y, form->list.backgroundSource.width,
                    form->list.backgroundSource.height}));
    EXPECT_EQ(RGB(2, 2, 2), form->list.markColour);
    EXPECT_EQ((Ints{24, 100, 10, 20}), Rect(form->buttons[PlaylistForm::btAdd].imageHover));
}

// Every frame piece on the screen is the part of playlist.bmp it names, at two sizes; the
// title strip shows the active look while the window is active.
TEST_F(Playlist, PaintsTheFramePiecesFromThePlaylistBitmap) {
    const ResourcePixels picture(IDB_SKIN_PLAYLIST);
    auto form = Open(500, 300, 275, 232);
    for (const WButton& button : form->buttons) // they would cover parts of the frame
        ShowWindow(button.hwnd, SW_HIDE);
    form->Show(1);
    // Width, height, and whether the playlist is active.
    for (const Ints& r :
         {Ints{275, 232, 1}, Ints{275, 232, 0}, Ints{400, 300, 0}, Ints{400, 300, 1}}) {
        SetWindowPos(form->hwnd, nullptr, 0, 0, r[0], r[1],
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetForegroundWindow(r[2] ? form->hwnd : owner.hwnd);
        kit::Pump();
        EXPECT_EQ(r[2], form->active);
        EXPECT_EQ("", FrameMismatch(form->hwnd, picture, FrameAt(r[0], r[1], r[2] ? 21 : 0)))
            << r[0] << " " << r[2];
    }
}

// Activation brings the player window along directly behind, leaving its place, size and
// activation alone; the playlist button's check follows the window's visibility.
TEST_F(Playlist, ActivationKeepsThePlayerDirectlyBehindAndTheButtonFollowsVisibility) {
    WButton playlistButton;
    playlistButton.Create(owner.hwnd, WButton::skinned | WButton::toggle, 106, Module(), 0, 0, 9, 9,
                          "", &bitmaps, 2, nullptr, nullptr, nullptr, nullptr);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 700, 100, 50, 50, nullptr,
                                 nullptr, Module(), nullptr);
    auto form = Open(500, 300, 275, 232);
    form->playlistButton = &playlistButton;
    form->Show(1);
    EXPECT_EQ(1, playlistButton.GetCheck());

    SetForegroundWindow(other);
    kit::Pump();
    ASSERT_EQ(other, GetActiveWindow());
    const Ints ownerPlace = Place(owner.hwnd);
    SetForegroundWindow(form->hwnd);
    kit::Pump();
    EXPECT_EQ(form->hwnd, GetActiveWindow());
    EXPECT_EQ(owner.hwnd, GetWindow(form->hwnd, GW_HWNDNEXT));
    EXPECT_EQ(ownerPlace, Place(owner.hwnd));

    form->Show(0);
    EXPECT_EQ(0, playlistButton.GetCheck());
    form->Show(1);
    EXPECT_EQ(1, playlistButton.GetCheck());
    form.reset();
    DestroyWindow(other);
}

// Destruction stores the window's rectangle and takes the controls' windows along, and a
// window made, painted in both looks, resized and destroyed leaves no GDI object behind.
TEST_F(Playlist, DestroyStoresTheRectangleAndGivesBackEveryWindowAndGdiObject) {
    auto round = [&](int x) {
        auto form = Open(x, 120, 275, 232);
        form->Show(1);
        SetForegroundWindow(form->hwnd);
        kit::Pump();
        SetForegroundWindow(owner.hwnd);
        kit::Pump();
        SetWindowPos(form->hwnd, nullptr, x + 7, 90, 300, 211, SWP_NOZORDER | SWP_NOACTIVATE);
        kit::Pump();
        const HWND list = form->list.hwnd, button = form->buttons[0].hwnd,
                   slider = form->slider->hwnd;
        settings = Settings();
        DestroyWindow(form->hwnd);
        EXPECT_EQ((Ints{x + 7, 90, 300, 211}), Stored());
        EXPECT_FALSE(IsWindow(list) || IsWindow(slider) || IsWindow(button));
        EXPECT_EQ(nullptr, form->slider);
    };
    round(400); // and the platform's first-use objects
    kit::Pump();
    const int windows = ThreadWindowCount(), room = GdiRoom();
    for (int i = 0; i < 5; i++)
        round(420 + i);
    kit::Pump();
    EXPECT_EQ(windows, ThreadWindowCount());
    EXPECT_EQ(room, GdiRoom());
}

} // namespace
