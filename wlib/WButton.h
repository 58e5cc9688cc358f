#pragma once

#include "gfx/SourceRect.h"
#include "wlib/WControl.h"

#include <windows.h>

class WBmpList;

// A push or toggle button drawn from four cells of a skin bitmap: a system "BUTTON" window
// whose procedure is replaced, tracking press and hover with the mouse capture and posting
// WM_COMMAND (BN_CLICKED) to its parent on a release inside it.
class WButton : public WControl {
public:
    // style flags
    enum { skinned = 1, toggle = 4 };

    WButton() = default;
    ~WButton();

    // Returns 1 when the window exists. Null records and a null list keep what is stored.
    int Create(HWND parent, int style, int id, HINSTANCE instance, int x, int y, int width,
               int height, const char* text, WBmpList* bitmaps, int slot, const SourceRect* normal,
               const SourceRect* pressedImage, const SourceRect* hover, const SourceRect* disabled);
    void SetSkin(WBmpList* bitmaps, int slot, const SourceRect* normal,
                 const SourceRect* pressedImage, const SourceRect* hover,
                 const SourceRect* disabled);
    void SetStyle(int style, int repaint);
    void SetCheck(int state);
    int GetCheck() const;

    WBmpList* bitmaps = nullptr; // not owned; null paints nothing
    int slot = 0;
    SourceRect imageNormal;
    SourceRect imagePressed; // also the look of a checked toggle
    SourceRect imageHover;
    SourceRect imageDisabled;
    int checked = 0;
    int pressed = 0;
    // Whether the last mouse message stood inside the button: the look follows the messages,
    // never a later cursor position read from the system.
    bool pointerInside = false;
    int style = 0;

    // Set while a button holds the capture because the cursor is over it; one for all.
    static int hoverCapture;

private:
    static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void StoreSkin(WBmpList* list, int newSlot, const SourceRect* normal,
                   const SourceRect* pressedImage, const SourceRect* hover,
                   const SourceRect* disabled);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    const SourceRect& CurrentImage() const;
    void Paint();
    void OnMouseMove(WPARAM keys, LPARAM point);
    void OnButtonDown();
    void OnButtonUp(LPARAM point);
    void OnCaptureLost(HWND newCapture);
    void Repaint() { InvalidateRect(hwnd, nullptr, FALSE); }
    bool ContainsPoint(LPARAM point) const;
    void PostClick();
};
