#pragma once

#include "gfx/SourceRect.h"

#include <windows.h>

class WTooltip;

// The base of every window object: the window handle, found again from the handle through
// the "W_CLASS_POINTER" property, an optional tooltip, and thin operations on the window.
// It owns no window.
class WControl {
public:
    WControl() = default;
    virtual ~WControl();
    WControl(const WControl&) = delete;
    WControl& operator=(const WControl&) = delete;

    static WControl* FromHandle(HWND window);
    void SetClassPointer(HWND window); // for a handle not yet stored in hwnd
    void SetClassPointer();
    void RemoveClassPointer();

    int SetTooltip(WTooltip* newTooltip, const char* text);
    void UpdateTooltipRect();

    BOOL SetTopMost(int flag);
    BOOL Move(int x, int y, int width, int height, BOOL repaint);
    // To a place in skin pixels, at the control's scale; the place is kept for SetScale.
    void MoveTo(const SourceRect& placement, int invalidate);
    // Draws at scale screen pixels a skin pixel from now on, at its kept place.
    virtual void SetScale(int newScale);
    // The client area in skin pixels, and a mouse message's point (signed) in skin pixels.
    SourceRect SkinClient() const;
    POINT SkinPoint(LPARAM point) const;
    void SetSize(int width, int height, int invalidate);
    BOOL SetPosition(int x, int y);
    BOOL SetWindowPosition(HWND after, int x, int y, int width, int height, UINT flags);
    BOOL Show(int flag);
    BOOL Minimize();
    BOOL IsVisible() const;
    BOOL IsMinimized() const;
    BOOL GetWindowRect(RECT* rect) const;
    BOOL GetClientRect(RECT* rect) const;
    BOOL Invalidate();
    LRESULT Close();

    HWND hwnd = nullptr;
    WTooltip* tooltip = nullptr; // not owned
    int toolId = 0;
    int scale = 1;        // screen pixels a skin pixel
    SourceRect placement; // in the parent, in skin pixels

protected:
    // For the subclassed standard controls: puts proc in front of the control's own window
    // procedure (and sets the class pointer), and gives the control its own procedure back.
    // A wide subclass passes wide messages on unconverted (see WListBox).
    void Subclass(WNDPROC proc, bool wideMessages = false);
    void Unsubclass();
    // The control's own procedure, in the character set it was subclassed with.
    LRESULT CallOldProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_NCDESTROY, the window's last message: unsubclass, drop the properties, let the
    // control's own procedure see it, and forget the handle, which may soon name another
    // window.
    LRESULT ForgetWindow(WPARAM wParam, LPARAM lParam);

public:
    WNDPROC oldProc = nullptr; // the control's own procedure; null while not subclassed
    bool wide = false;         // subclassed with the wide procedure
};
