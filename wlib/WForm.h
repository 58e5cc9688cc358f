#pragma once

#include "wlib/WControl.h"

#include <shellapi.h>

// The frame-window base: registers a class, creates a top-level window and turns its
// messages into calls of the virtual On... slots. Every default slot hands the current
// message to DefWindowProcA. Mouse x and y are the unsigned 16-bit halves of lParam.
class WForm : public WControl {
public:
    static constexpr UINT trayMessage = 0x83FF;

    WForm();
    ~WForm(); // not virtual: forms are deleted through their own type

    // Throws "Can't register class" or "Can't create window".
    void Create(const char* className, HICON icon, HICON smallIcon, HCURSOR cursor,
                HBRUSH background, const char* menuName, DWORD exStyle, const char* title,
                DWORD style, int x, int y, int width, int height, HINSTANCE instance);

    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds);
    BOOL KillTimer(UINT_PTR id);

    // Hands the icon over: it is destroyed once the shell has its copy. Hides the window.
    BOOL AddTrayIcon(UINT id, HICON icon, const char* tip);
    BOOL RemoveTrayIcon(UINT id); // and shows the window again
    BOOL DeleteTrayIcon(UINT id); // leaves the window as it is
    // The record AddTrayIcon hands to the shell.
    NOTIFYICONDATAA TrayIconData(UINT id, HICON icon, const char* tip) const;

    virtual LRESULT OnCreate();
    virtual LRESULT OnMouseMove(WPARAM keys, int x, int y);
    virtual LRESULT OnButtonDown(WPARAM keys, int x, int y);
    virtual LRESULT OnButtonUp(WPARAM keys, int x, int y);
    virtual LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    virtual LRESULT OnKeyUp(WPARAM key, LPARAM flags);
    virtual LRESULT OnDeviceChange(WPARAM event, LPARAM data);
    virtual LRESULT OnSetFocus();
    virtual LRESULT OnKillFocus();
    virtual LRESULT OnTrayNotify(LPARAM mouseMessage, WPARAM iconId);
    virtual LRESULT OnDoubleClick(WPARAM keys, int x, int y);
    virtual LRESULT OnDestroy();
    virtual LRESULT OnCommand(int notification, int id, HWND control);
    virtual LRESULT OnPaint();
    virtual LRESULT OnTimer(WPARAM id);
    virtual LRESULT OnHScroll(int id, int request, int position, HWND control);
    virtual LRESULT OnVScroll(int id, int request, int position, HWND control);
    virtual LRESULT OnContextMenu(int x, int y, HWND window);
    // Any message without a slot of its own (registered messages among them).
    virtual LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // What the window procedure is handling now; the default slots pass it on.
    struct Message {
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    Message current = {};

    static WForm* formBeingCreated;

protected:
    LRESULT DefaultProc();

private:
    static bool creating; // inside Create's CreateWindowExA

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static WForm* FormOf(HWND window);
    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CreateWithoutUnwinding(HWND window);
    const char* creationFailure = nullptr; // what OnCreate threw
};
