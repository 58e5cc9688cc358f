#pragma once

// Shared pieces of the window toolkit tests: call logs, a parent window that records what its
// children tell it, mouse gestures, skin bitmaps of solid cells, and screen pixels.

#include "gfx/WBmpList.h"
#include "support/DibCanvas.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace kit {

// One call as the logs record it: "Name(arg, arg)".
template <typename... Args> std::string Call(const char* name, Args... args) {
    std::string text = std::string(name) + "(";
    for (INT_PTR arg : std::initializer_list<INT_PTR>{(INT_PTR)args...})
        text += (text.back() == '(' ? "" : ", ") + std::to_string(arg);
    return text + ")";
}

using Log = std::vector<std::string>;

// A window's rectangle on the screen.
inline RECT Frame(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A visible top-level window (made by Fresh) that records what it receives, as in
// "cmd(101,0) htrack(40) hpos(40)": commands with id and code, scroll messages with the value,
// and mouse messages as calls of "mouse" with message, keys, x and y. A "?" marks a
// message whose lParam is not the child window it names, or a scroll request other than the
// thumb's two.
struct Parent {
    HWND hwnd = nullptr;
    std::string log;
    std::function<void()> onCommand;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Parent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        auto* sender = reinterpret_cast<HWND>(lParam);
        const int low = LOWORD(wParam);
        bool named = IsWindow(sender) && GetParent(sender) &&
                     (message == WM_COMMAND ? GetDlgCtrlID(sender) == low
                                            : low == SB_THUMBTRACK || low == SB_THUMBPOSITION);
        std::string rest = std::to_string(HIWORD(wParam)) + ")" + (named ? "" : "?");
        std::string kind = low == SB_THUMBTRACK ? "track(" : "pos(";
        std::string entry = message == WM_COMMAND   ? "cmd(" + std::to_string(low) + "," + rest
                            : message == WM_HSCROLL ? "h" + kind + rest
                            : message == WM_VSCROLL ? "v" + kind + rest
                                                    : "";
        if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
            entry = Call("mouse", message, wParam, LOWORD(lParam), HIWORD(lParam));
        if (!self || entry.empty()) return DefWindowProcA(window, message, wParam, lParam);
        self->log += (self->log.empty() ? "" : " ") + entry;
        if (message == WM_COMMAND && self->onCommand) self->onCommand();
        return 0;
    }
};

// Under Wine each top-level window costs seconds to destroy without a window manager, so the
// tests share one parent for the whole run; Fresh() forgets what the last test left.
inline Parent& Fresh() {
    static Parent parent;
    if (!parent.hwnd) {
        auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        WNDCLASSA wc = {CS_DBLCLKS, Parent::Proc, 0,     0,       nullptr,
                        nullptr,    nullptr,      black, nullptr, "TestParent"};
        RegisterClassA(&wc);
        parent.hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 40, 40, 320,
                                      240, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(parent.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&parent));
        // Once, before any case: the real cursor away from every test window, and there for
        // good, so that no motion of it reaches a case.
        SetCursorPos(1200, 1000);
        POINT at = {};
        for (int i = 0; i < 100 && GetCursorPos(&at) && (at.x != 1200 || at.y != 1000); i++)
            Sleep(10);
    }
    ReleaseCapture();
    Pump();
    parent = {parent.hwnd, "", nullptr};
    return parent;
}

// Sends a gesture to a window: tokens of a letter and a client x, all at height y. D and U
// press and release the left button, M drags, S drags with shift, H hovers, C double-clicks
// (the second press it posts is dispatched), R and r press and release the right button, B
// presses the middle one, K and k press and release the space bar, E presses Enter. The real
// cursor stays where it is: under Wine it moves asynchronously, and its late motion would
// reach another case.
inline void Play(HWND window, const std::string& gesture, int y) {
    const std::string letters = "DUMSHCRrBKkE";
    const UINT messages[] = {WM_LBUTTONDOWN, WM_LBUTTONUP,     WM_MOUSEMOVE,   WM_MOUSEMOVE,
                             WM_MOUSEMOVE,   WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
                             WM_MBUTTONDOWN, WM_KEYDOWN,       WM_KEYUP,       WM_KEYDOWN};
    const WPARAM keys[] = {MK_LBUTTON, 0,          MK_LBUTTON, MK_LBUTTON | MK_SHIFT,
                           0,          MK_LBUTTON, MK_RBUTTON, 0,
                           MK_MBUTTON, VK_SPACE,   VK_SPACE,   VK_RETURN};
    std::istringstream tokens(gesture);
    for (std::string token; tokens >> token;) {
        size_t i = letters.find(token[0]);
        int x = std::atoi(token.c_str() + 1);
        SendMessageA(window, messages[i], keys[i], MAKELPARAM(x, y));
        MSG posted; // the second press a double click posts, and no real mouse message
        while (PeekMessageA(&posted, window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE))
            DispatchMessageA(&posted);
    }
}

// A one-entry bitmap list holding a strip of solid cells, left to right, loaded from a .bmp
// file the way skins are; a glyph list has black as its transparent colour, as font.bmp has.
inline std::unique_ptr<WBmpList> Skin(int cellWidth, int cellHeight,
                                      std::initializer_list<COLORREF> cells, bool glyphs = false) {
    DibCanvas strip(cellWidth * static_cast<int>(cells.size()), cellHeight);
    strip.Paint([&](int x, int) { return cells.begin()[x / cellWidth]; });
    TempFolder folder;
    folder.Write("skin.bmp", strip.BmpFile());
    auto list = std::make_unique<WBmpList>(1);
    if (glyphs)
        list->x_AddBitmap(nullptr, folder.File("skin.bmp").c_str(), LR_LOADFROMFILE, RGB(0, 0, 0));
    else
        list->x_AddBitmap(nullptr, folder.File("skin.bmp").c_str(), LR_LOADFROMFILE, nullptr, 0);
    return list;
}

// Repaints the window and compares the pixels of an area of it (all of it when empty) on the
// screen with the expected ones: "" when all match, else the first that does not.
inline std::string Mismatch(HWND window, const DibCanvas::PixelAt& expected, RECT area = {}) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);
    if (IsRectEmpty(&area)) area = client;
    DibCanvas canvas(client.right, client.bottom, RGB(1, 2, 3));
    HDC dc = GetDC(window);
    BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return canvas.Mismatch(area.left, area.top, area.right - area.left, area.bottom - area.top,
                           expected);
}

inline DibCanvas::PixelAt Solid(COLORREF colour) {
    return [colour](int, int) { return colour; };
}

} // namespace kit
