#pragma once

// Shared pieces of the skinned-control tests: a parent window that records what its
// children tell it, a bitmap list made from test pixels, and reading a window's pixels back.

#include "gfx/WBmpList.h"
#include "support/DibCanvas.h"
#include "support/MessageLog.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace kit {

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A visible top-level window at a fixed place that logs WM_COMMAND, the scroll messages and
// the mouse messages it receives.
class Parent {
public:
    Parent(int x, int y, int width, int height) {
        static const char* className = [] {
            WNDCLASSA wc = {};
            wc.style = CS_DBLCLKS;
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
            wc.lpszClassName = "ControlTestParent";
            RegisterClassA(&wc);
            return "ControlTestParent";
        }();
        hwnd = CreateWindowExA(0, className, "", WS_POPUP | WS_VISIBLE, x, y, width, height,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetCursorPos(1200, 1000); // away from every test window
        Pump();
    }
    ~Parent() {
        DestroyWindow(hwnd);
        Pump();
    }
    Parent(const Parent&) = delete;
    Parent& operator=(const Parent&) = delete;

    HWND hwnd;
    MessageLog log;
    std::function<void(WPARAM, LPARAM)> onCommand;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Parent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self) {
            INT_PTR control = static_cast<INT_PTR>(lParam);
            switch (message) {
            case WM_COMMAND:
                self->log.Add("WM_COMMAND", {LOWORD(wParam), HIWORD(wParam), control});
                if (self->onCommand) self->onCommand(wParam, lParam);
                return 0;
            case WM_HSCROLL:
                self->log.Add("WM_HSCROLL", {LOWORD(wParam), HIWORD(wParam), control});
                return 0;
            case WM_VSCROLL:
                self->log.Add("WM_VSCROLL", {LOWORD(wParam), HIWORD(wParam), control});
                return 0;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_RBUTTONDOWN:
            case WM_MOUSEMOVE:
                self->log.Add(message == WM_LBUTTONDOWN   ? "WM_LBUTTONDOWN"
                              : message == WM_LBUTTONUP   ? "WM_LBUTTONUP"
                              : message == WM_RBUTTONDOWN ? "WM_RBUTTONDOWN"
                                                          : "WM_MOUSEMOVE",
                              {static_cast<INT_PTR>(wParam), LOWORD(lParam), HIWORD(lParam)});
                return 0;
            }
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

// Under Wine each top-level window costs seconds to destroy without a window manager, so the
// tests share two parents for the whole run; Fresh() forgets what the last test left.
inline Parent& Shared(int which = 0) {
    static Parent* parents[2] = {};
    if (!parents[which])
        parents[which] = which ? new Parent(400, 40, 50, 50) : new Parent(40, 40, 320, 240);
    return *parents[which];
}

inline Parent& Fresh(int which = 0) {
    Parent& parent = Shared(which);
    ReleaseCapture();
    SetCursorPos(1200, 1000);
    Pump();
    parent.log.Clear();
    parent.onCommand = nullptr;
    return parent;
}

// A bitmap list whose entries 0 .. count-1 all hold the canvas' pixels, loaded from a .bmp
// file the way skins are.
inline std::unique_ptr<WBmpList> ListOf(const DibCanvas& canvas, int count = 1) {
    TempFolder folder;
    folder.Write("skin.bmp", canvas.BmpFile());
    std::string path = folder.File("skin.bmp");
    auto list = std::make_unique<WBmpList>(count);
    for (int i = 0; i < count; i++)
        list->x_AddBitmap(nullptr, path.c_str(), LR_LOADFROMFILE, nullptr, 0);
    return list;
}

// A one-entry list for a bitmap font: black is transparent, as with the skins' font.bmp.
inline std::unique_ptr<WBmpList> GlyphListOf(const DibCanvas& canvas) {
    TempFolder folder;
    folder.Write("font.bmp", canvas.BmpFile());
    auto list = std::make_unique<WBmpList>(1);
    list->x_AddBitmap(nullptr, folder.File("font.bmp").c_str(), LR_LOADFROMFILE, RGB(0, 0, 0));
    return list;
}

// A strip of solid cells of the given width and height, left to right.
inline std::unique_ptr<DibCanvas> Strip(int cellWidth, int cellHeight,
                                        std::initializer_list<COLORREF> cells) {
    auto strip =
        std::make_unique<DibCanvas>(cellWidth * static_cast<int>(cells.size()), cellHeight);
    int x = 0;
    for (COLORREF colour : cells) {
        strip->FillRect(x, 0, cellWidth, cellHeight, colour);
        x += cellWidth;
    }
    return strip;
}

// The window's client pixels as they are on the screen after it painted.
inline std::unique_ptr<DibCanvas> Capture(HWND window) {
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);
    auto canvas = std::make_unique<DibCanvas>(client.right, client.bottom, RGB(1, 2, 3));
    HDC dc = GetDC(window);
    BitBlt(canvas->Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return canvas;
}

inline std::function<COLORREF(int, int)> Solid(COLORREF colour) {
    return [colour](int, int) { return colour; };
}

inline LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}

// Puts the cursor on a point of a window's client area.
inline void CursorTo(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
}

} // namespace kit
