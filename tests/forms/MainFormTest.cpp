// The player window with the built-in skin and with skin folders that the tests write: what
// is on screen is compared with the skin's bitmaps pixel by pixel, and every error message is
// caught instead of shown.
#include "forms/MainForm.h"

#include "app/Settings.h"
#include "forms/PlaylistForm.h"
#include "gfx/SkinScale.h"
#include "res/resource.h"
#include "skin/RegionData.h"
#include "support/HandleCounts.h"
#include "support/BuiltinSkinFolder.h"
#include "support/DibCanvas.h"
#include "support/TempFolder.h"
#include "support/ThisProgram.h"
#include "wlib/ControlTestKit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using HandleCounts::GdiRoom;

std::vector<std::string> shownErrors;

int RecordSkinError(const char* text) {
    shownErrors.push_back(text);
    return IDOK;
}

POINT cursor;
BOOL WINAPI StandInCursor(POINT* point) {
    *point = cursor;
    return TRUE;
}

class PlayerWindow : public ::testing::Test {
protected:
    TempFolder folder;
    MainForm form;

    void SetUp() override {
        settings = Settings();
        shownErrors.clear();
        MainForm::showSkinError = RecordSkinError;
        form.skinsFolder = folder.File("");
        form.skinsFolder.pop_back();
        form.CreatePlayerWindow(Module());
    }
    void TearDown() override {
        MainForm::cursorPosition = GetCursorPos;
        DestroyWindow(form.hwnd);
        UnregisterClassA(MainForm::className, Module());
    }

    // What the screen shows of the window (the player's by default) now.
    std::unique_ptr<DibCanvas> Screenshot(HWND window = nullptr) {
        window = window ? window : form.hwnd;
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        const RECT frame = kit::Frame(window);
        auto shot = std::make_unique<DibCanvas>(frame.right - frame.left, frame.bottom - frame.top);
        HDC screen = GetDC(nullptr);
        BitBlt(shot->Dc(), 0, 0, frame.right - frame.left, frame.bottom - frame.top, screen,
               frame.left, frame.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        return shot;
    }

    // The places that show the background, the title bar and the Play button's normal cell.
    std::string LooksBuiltIn() {
        std::unique_ptr<DibCanvas> shot = Screenshot();
        ResourcePixels main(IDB_SKIN_MAIN), title(IDB_SKIN_TITLEBAR), buttons(IDB_SKIN_CBUTTONS);
        const int titleY = GetActiveWindow() == form.hwnd ? 14 : 0;
        std::string wrong =
            shot->Mismatch(0, 16, 10, 60, [&](int x, int y) { return main.At(x, y); });
        wrong +=
            shot->Mismatch(0, 0, 240, 14, [&](int x, int y) { return title.At(x, y + titleY); });
        wrong += shot->Mismatch(39, 88, 22, 18,
                                [&](int x, int y) { return buttons.At(x - 39, y - 88 + 18); });
        return wrong;
    }
    // The built-in skin with an outline, as "Round".
    void WriteRoundSkin() {
        const std::vector<RegionData::Rect> outline = {{0, 0, 275, 60}, {20, 60, 255, 116}};
        const std::string ini = BuiltinSkinFiles()["skin.ini"] + "[region]\r\nuseregion=1\r\n";
        WriteBuiltinSkin(folder, "Round",
                         {{"skin.ini", ini}, {"region.rgn", RegionData::Encode(outline)}});
    }
};

TEST_F(PlayerWindow, BuiltInLookIsTheResourcesBitmapsAndFolderSkinsLoadAsIs) {
    EXPECT_TRUE(IsWindowVisible(form.hwnd));
    EXPECT_EQ("", LooksBuiltIn());
    SetActiveWindow(form.hwnd);
    EXPECT_EQ("", LooksBuiltIn()); // the title bar's other look
    // The same skin written as a folder gives the same window; twice the same too.
    for (int round = 0; round < 2; round++) {
        ASSERT_EQ(1, form.LoadSkin(WriteBuiltinSkin(folder, "Copy", {}).c_str()));
        EXPECT_TRUE(shownErrors.empty()) << shownErrors[0];
        EXPECT_STREQ("Copy", settings.skinName);
        EXPECT_TRUE(IsWindowVisible(form.hwnd));
        EXPECT_EQ("", LooksBuiltIn());
    }
}

// Without stored places the player opens in the middle of the work area and the playlist
// docked under it, ten entries high, at the height of the skin it starts with; a playlist
// docked under the player stays docked when a skin of another height comes, also at a start
// with stored places, which the player keeps, and at a start at another scale.
TEST_F(PlayerWindow, FirstStartCentresThePlayerAndThePlaylistDocksAtTheSkinsHeight) {
    WriteBuiltinSkin(folder, "Tall", IniChange("main", "0,0,275,124"));
    DestroyWindow(form.hwnd);
    UnregisterClassA(MainForm::className, Module());
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const struct {
        const char *start, *then;
        int stored; // the built-in skin's places at (30, 40), the playlist docked
        int scale = 1;
    } cases[] = {{".", nullptr, 0},      {"Tall", nullptr, 0}, {".", "Tall", 0},
                 {"Tall", ".", 0},       {"Tall", nullptr, 1}, {".", nullptr, 1, 2},
                 {"Tall", nullptr, 0, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        settings = Settings();
        settings.scale = c.scale;
        snprintf(settings.skinName, sizeof settings.skinName, "%s", c.start);
        if (c.stored) {
            settings.positionStored = settings.playlistStored = 1;
            settings.x = settings.playlistX = 30, settings.y = 40;
            settings.playlistY = 40 + 116, settings.playlistW = 275, settings.playlistH = 200;
        }
        MainForm player;
        player.skinsFolder = form.skinsFolder;
        player.CreatePlayerWindow(Module());
        RECT p = kit::Frame(player.hwnd), list = {};
        if (c.stored) {
            EXPECT_EQ((std::vector<int>{30, 40}), (std::vector<int>{p.left, p.top}));
        } else {
            EXPECT_NEAR(area.left + area.right, p.left + p.right, 1);
            EXPECT_NEAR(area.top + area.bottom, p.top + p.bottom, 1);
            GetClientRect(player.playlist->list.hwnd, &list);
            EXPECT_EQ(10, list.bottom / c.scale / player.playlist->list.GetItemHeight());
        }
        if (c.then && c.then[0] == '.') player.LoadBuiltinSkin();
        if (c.then && c.then[0] != '.') player.LoadSkin(c.then);
        p = kit::Frame(player.hwnd);
        const RECT l = kit::Frame(player.playlist->hwnd);
        EXPECT_EQ((std::string(c.then ? c.then : c.start) == "Tall" ? 124 : 116) * c.scale,
                  p.bottom - p.top);
        EXPECT_EQ((std::vector<int>{p.left, p.bottom}), (std::vector<int>{l.left, l.top}));
        DestroyWindow(player.hwnd);
        UnregisterClassA(MainForm::className, Module());
    }
}

// A broken skin changes nothing on screen: its message is shown once, the windows stay
// hidden until the built-in skin comes back whole.
TEST_F(PlayerWindow, ABrokenSkinTellsWhatIsWrongAndTheBuiltInSkinComesBack) {
    WriteBuiltinSkin(folder, "Broken", IniChange("btSongdown", ""));
    EXPECT_EQ(0, form.LoadSkin("Broken"));
    ASSERT_EQ(1u, shownErrors.size());
    EXPECT_EQ("Invalid data in " + folder.File("Broken") +
                  "\\skin.ini\r\n\r\n[playlistwindow]\rbtSongdown= ... invalid data ...",
              shownErrors[0]);
    EXPECT_FALSE(IsWindowVisible(form.hwnd));
    EXPECT_EQ(1, form.LoadBuiltinSkin());
    EXPECT_TRUE(IsWindowVisible(form.hwnd));
    EXPECT_EQ("", LooksBuiltIn());
}

// Skin changes with and without an outline, and broken ones, leave no GDI object behind.
TEST_F(PlayerWindow, SkinChangesWithAndWithoutOutlinesLeakNothing) {
    WriteRoundSkin();
    WriteBuiltinSkin(folder, "Square", {});
    WriteBuiltinSkin(folder, "Broken", {{"cbuttons.bmp", ""}});

    auto switchAround = [&](int rounds) {
        for (int round = 0; round < rounds; round++) {
            form.LoadSkin("Round");
            form.LoadBuiltinSkin();
            if (!form.LoadSkin("Broken")) form.LoadBuiltinSkin();
            form.LoadSkin("Square");
            for (int paint = 0; paint < 10; paint++)
                RedrawWindow(form.hwnd, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    };
    switchAround(2); // the first rounds may keep caches the platform fills once
    const int room = GdiRoom();
    switchAround(25); // a hundred skin changes, each window painted 250 times
    EXPECT_GE(GdiRoom(), room);
    EXPECT_EQ(27u, shownErrors.size()); // the broken skin, every round
}

// Each skin pixel a square of scale x scale screen pixels, also where a slider is clicked and
// where the platform shapes the window (rectangular again without an outline): at the chosen
// scales and at the one the screen's dpi asks for.
TEST_F(PlayerWindow, TheSkinIsDrawnHitAndShapedAtTheScale) {
    WriteRoundSkin();
    form.SetPosition(0, 0);
    settings.scale = 1;
    form.ApplyScale();
    const std::unique_ptr<DibCanvas> oneX = Screenshot();
    WScrollbar& seek = form.sliders[MainForm::sbPos];
    SendMessageA(seek.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 3));
    const int oneXThumb = seek.trackPixel;
    SendMessageA(seek.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(40, 3));
    const int byDpi = SkinScale::ForDpi(SkinScale::DpiOf(form.hwnd));
    const char* screenDpi = getenv("LVX_TEST_DPI"); // a prefix of wine-at-dpi
    EXPECT_EQ(SkinScale::ForDpi(screenDpi ? atoi(screenDpi) : 96), byDpi);
    for (int chosen : {2, 3, 0, 1}) {
        settings.scale = chosen;
        form.ApplyScale();
        const int k = chosen ? chosen : byDpi;
        const RECT frame = kit::Frame(form.hwnd);
        EXPECT_EQ(275 * k, frame.right - frame.left) << chosen;
        EXPECT_EQ(116 * k, frame.bottom - frame.top) << chosen;
        EXPECT_EQ("", Screenshot()->Mismatch(0, 0, 275 * k, 116 * k, [&](int x, int y) {
            return oneX->At(x / k, y / k);
        })) << chosen;
        // A slider reads a click at its scaled place as the same skin pixel.
        SendMessageA(seek.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40 * k + k - 1, 3 * k));
        EXPECT_EQ(oneXThumb, seek.trackPixel) << chosen;
        SendMessageA(seek.hwnd, WM_LBUTTONUP, 0, 0);

        ASSERT_EQ(1, form.LoadSkin("Round"));
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(form.hwnd, shape);
        std::string inside;
        for (POINT skin : {POINT{274, 59}, POINT{19, 60}, POINT{20, 115}, POINT{255, 115}})
            for (POINT at : {POINT{skin.x * k, skin.y * k}, POINT{skin.x * k + k - 1, skin.y * k}})
                inside += PtInRegion(shape, at.x, at.y) ? '1' : '0';
        EXPECT_EQ("11001100", inside) << chosen;
        form.LoadBuiltinSkin();
        EXPECT_EQ(ERROR, GetWindowRgn(form.hwnd, shape)) << chosen;
        DeleteObject(shape);
    }
}

// The playlist follows the player's scale: sized, drawn, hit, snapped and docked in scaled
// pixels, its size stored in skin pixels so that a file means the same at every scale.
TEST_F(PlayerWindow, ThePlaylistFollowsTheScaleAndStoresItsSizeInSkinPixels) {
    PlaylistForm& playlist = *form.playlist;
    WListBox& list = playlist.list;
    auto drag = [](HWND window, POINT from, POINT by) {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + by.x, from.y + by.y));
        SendMessageA(window, WM_LBUTTONUP, 0, 0);
    };
    settings.snapWindow = 1, settings.snapPixel = 10;
    SendMessageA(form.hwnd, WM_COMMAND, IDM_SCALE_AUTO + 1, 0);
    form.SetPosition(0, 0);
    playlist.DockBelow(kit::Frame(form.hwnd), 5);
    for (const char* name : {"01. One", "02. Two", "03. Three", "04. Four"})
        list.AddItem(name, 1);
    list.SetSelection(2, 1);
    form.Show(1), playlist.Show(1);
    // The title bar shows whether the playlist is active: the player is, in every picture.
    auto inactiveShot = [&] {
        SetForegroundWindow(form.hwnd);
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&msg);
        return Screenshot(playlist.hwnd);
    };
    const std::unique_ptr<DibCanvas> oneX = inactiveShot();
    const int w = settings.playlistW, h = settings.playlistH, rowHeight = list.GetItemHeight();
    for (int k : {2, 3, 1}) {
        SendMessageA(form.hwnd, WM_COMMAND, IDM_SCALE_AUTO + k, 0);
        const RECT player = kit::Frame(form.hwnd), docked = kit::Frame(playlist.hwnd);
        EXPECT_EQ(std::vector<LONG>({player.left, player.bottom, w * k, h * k}),
                  std::vector<LONG>({docked.left, docked.top, docked.right - docked.left,
                                     docked.bottom - docked.top}))
            << k;
        EXPECT_EQ("", inactiveShot()->Mismatch(0, 0, w * k, h * k, [&](int x, int y) {
            return oneX->At(x / k, y / k);
        })) << k;
        const LPARAM row3 = MAKELPARAM(5 * k, (3 * rowHeight + rowHeight / 2) * k);
        EXPECT_EQ(3, LOWORD(SendMessageA(list.hwnd, LB_ITEMFROMPOINT, 0, row3))) << k;
        // The grip is the bottom-right 15 x 15 skin pixels.
        for (int outside : {0, 1}) {
            const int at = 15 * k + outside;
            SendMessageA(playlist.hwnd, WM_LBUTTONDOWN, MK_LBUTTON,
                         MAKELPARAM(w * k - at, h * k - at));
            EXPECT_EQ(!outside, playlist.resizing) << k;
            SendMessageA(playlist.hwnd, WM_LBUTTONUP, 0, 0);
        }
        playlist.SavePlace();
        EXPECT_EQ(std::vector<int>({w, h}),
                  std::vector<int>({settings.playlistW, settings.playlistH}))
            << k;
        // Docked, it goes along with the player; beside it, it snaps within 10 skin pixels.
        drag(form.hwnd, {5 * k, 20 * k}, {37, 41});
        EXPECT_EQ(player.left + 37, kit::Frame(playlist.hwnd).left) << k;
        playlist.SetPosition(player.right + 300, 0);
        drag(playlist.hwnd, {50, 10}, {10 * k - 1 - 300 + 37, 0});
        EXPECT_EQ(player.right + 37, kit::Frame(playlist.hwnd).left) << k;
        form.SetPosition(0, 0);
        playlist.SetPosition(0, player.bottom - player.top);
    }
}

// On a monitor of another dpi the automatic scale follows it. The skin pixel under the cursor
// stays under it, else the place the system suggests is taken; a docked playlist goes along.
TEST_F(PlayerWindow, AMonitorOfAnotherDpiRescalesAroundTheCursorAndThePlaylistFollows) {
    MainForm::cursorPosition = StandInCursor;
    auto dpiChange = [&](int dpi, RECT suggested) {
        SendMessageA(form.hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)&suggested);
    };
    const struct {
        int chosen, dpi;
        POINT cursor;
        int left, top, scale;
    } rows[] = {{0, 192, {110, 120}, 90, 80, 2},
                {0, 192, {50, 50}, 400, 300, 2},
                {0, 288, {110, 120}, 80, 60, 3},
                {1, 192, {110, 120}, 100, 100, 1},
                {0, 120, {110, 120}, 100, 100, 1}};
    for (const auto& r : rows) {
        settings.scale = 0;
        dpiChange(96, {100, 100, 375, 216});
        form.SetPosition(100, 100);
        form.playlist->SetPosition(130, 216);
        settings.scale = r.chosen, cursor = r.cursor;
        dpiChange(r.dpi, {400, 300, 400 + 275 * r.dpi / 96, 300 + 116 * r.dpi / 96});
        const RECT player = kit::Frame(form.hwnd), list = kit::Frame(form.playlist->hwnd);
        const int k = r.scale;
        EXPECT_EQ(std::vector<LONG>({r.left, r.top, 275 * k, r.left + 30 * k, r.top + 116 * k}),
                  std::vector<LONG>(
                      {player.left, player.top, player.right - player.left, list.left, list.top}))
            << r.dpi << " " << r.cursor.x;
    }
}

} // namespace
