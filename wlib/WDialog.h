#pragma once

#include "wlib/WControl.h"

#include <shellapi.h>

// The base of every dialog: built from a dialog template, modal or modeless, with one
// dialog procedure that turns messages into calls of the virtual On... slots. Every default
// slot returns 0, leaving the message to the platform's default dialog handling (so the
// base class never closes a dialog by itself).
class WDialog : public WControl {
public:
    WDialog();
    virtual ~WDialog();

    // Modeless: returns at once with hwnd set (null when the template cannot be loaded).
    // Modal: returns when the dialog has ended.
    void Show(HINSTANCE instance, int modeless, const char* templateName, HWND parent);
    using WControl::Show;
    // Destroys a modeless dialog, ends a modal one with result 1.
    void Close();

    BOOL CheckButton(int id, UINT state);
    BOOL EnableItem(int id, BOOL enable);
    UINT IsButtonChecked(int id);
    UINT GetItemText(int id, char* buffer, int size);

    virtual int OnInitDialog();
    virtual int OnPaint();
    virtual int OnDestroy();
    virtual int OnClose();
    virtual int OnCancel();
    virtual int OnOK();
    virtual int OnNotify(int id, NMHDR* header);
    virtual int OnShowWindow(WPARAM shown, LPARAM status);
    virtual int OnActivate();
    virtual int OnDeactivate();
    virtual int OnCommand(int notification, int id, HWND control);
    virtual int OnMouseMove(WPARAM keys, int x, int y);
    virtual int OnButtonDown(WPARAM keys, int x, int y);
    virtual int OnButtonUp(WPARAM keys, int x, int y);
    virtual int OnSize(WPARAM type, int width, int height);
    // Files dropped on a window that accepts them; the slot owns the drop and must finish it.
    virtual int OnDropFiles(HDROP drop);
    // The window's monitor has another dpi; 0 leaves the dialog manager's own scaling on.
    virtual int OnDpiChanged(int dpi, const RECT& suggested);

    int modeless = 0;

    // Set by Show until the new window's first message attaches it.
    static WDialog* dialogBeingCreated;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static WDialog* DialogOf(HWND window);
    int Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
};
