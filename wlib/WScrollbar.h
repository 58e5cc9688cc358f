#pragma once

#include "gfx/SourceRect.h"
#include "wlib/WControl.h"

#include <windows.h>

class WBmpList;

// The program's slider: a system "SCROLLBAR" control that keeps range and position, drawn
// from skin bitmaps and reporting where the user puts the thumb with SB_THUMBTRACK and, on
// release, SB_THUMBPOSITION. It never moves its own position; the owner sets it.
class WScrollbar : public WControl {
public:
    // style flags
    enum { skinned = 1, vertical = 4, opaque = 8, tiledTrack = 16 };

    WScrollbar() = default;
    ~WScrollbar();

    // Returns 1 when the window exists. Null records and a null list keep what is stored.
    int Create(HWND parent, int style, int id, HINSTANCE instance, int x, int y, int width,
               int height, const char* text, WBmpList* bitmaps, int thumbBitmap, int thumbLength,
               const SourceRect* normal, const SourceRect* pressedImage, const SourceRect* hover,
               const SourceRect* disabled, int backgroundBitmap, const SourceRect* background);
    void SetSkin(WBmpList* bitmaps, int thumbBitmap, int thumbLength, const SourceRect* normal,
                 const SourceRect* pressedImage, const SourceRect* hover,
                 const SourceRect* disabled, int backgroundBitmap, const SourceRect* background,
                 int redraw);
    void SetRange(int min, int max, int redraw);
    void SetPosition(int pos, int redraw);
    int GetPosition() const;
    void SetNotifyTarget(HWND window) { notifyTarget = window; }
    void Redraw();

    // Thumb leading edge for a value, and back, for the current range and size, in skin pixels.
    int ValueToPixel(int value) const;
    int PixelToValue(int pixel) const;

    WBmpList* bitmaps = nullptr; // not owned; null paints nothing
    int thumbBitmap = 0;
    int thumbLength = 0;
    SourceRect thumbNormal;
    SourceRect thumbPressed;
    SourceRect thumbHover;
    SourceRect thumbDisabled;
    int backgroundBitmap = 0;
    SourceRect backgroundSource;
    int style = 0;
    int pressed = 0;
    // Where the last mouse message stood: the hover look follows the messages, never a later
    // cursor position read from the system.
    POINT pointer = {-1, -1};
    int grabOffset = 0;
    int tracking = 0; // paint the thumb at trackPixel
    int trackPixel = 0;
    HWND notifyTarget = nullptr; // thumb-track messages; null: the parent

private:
    static LRESULT CALLBACK ScrollProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void StoreSkin(int newThumbBitmap, int newThumbLength, const SourceRect* normal,
                   const SourceRect* pressedImage, const SourceRect* hover,
                   const SourceRect* disabled, int newBackgroundBitmap,
                   const SourceRect* background);
    SCROLLINFO ScrollInfo() const;
    int Extent() const;
    int Room() const { return Extent() - thumbLength; }
    int ClampToRoom(int pixel) const;
    SourceRect ThumbRect(int pixel) const;
    bool CursorOnThumb(int pixel, POINT cursor) const;
    const SourceRect& CurrentThumb(int pixel) const;
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    void Paint();
    void OnButtonDown(LPARAM point);
    void OnMouseMove(WPARAM keys, LPARAM point);
    void OnButtonUp();
    void EndDrag();
    void StartTracking(int grab, int pixel);
    void SendTrack(int value) const;
    UINT ScrollMessage() const { return (style & vertical) ? WM_VSCROLL : WM_HSCROLL; }
};
