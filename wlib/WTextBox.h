#pragma once

#include "gfx/GdiHandles.h"
#include "gfx/SourceRect.h"
#include "wlib/WControl.h"

#include <windows.h>

#include <string>

class WBmpFont;
class WBmpList;
class WFont;

// A single-line text display on a subclassed "BUTTON" window, drawn with the skin's bitmap
// font or a GDI font over a skin image, a colour or the parent's background. A text that does
// not fit scrolls as a marquee when scrolling is enabled. Mouse messages go on to the parent
// in its coordinates; a left click is also reported as WM_COMMAND.
class WTextBox : public WControl {
public:
    // style bits; 2 or more is an opaque box
    enum { bitmapText = 1, imageBackground = 2, colourBackground = 4 };
    enum { marqueeTimer = 300, separatorCapacity = 100 };

    WTextBox() = default;
    ~WTextBox();

    // Returns 1 when the window exists.
    int Create(HWND parent, int style, int id, HINSTANCE instance, int x, int y, int width,
               int height, const char* text, WFont* font, COLORREF textColour, COLORREF backColour,
               WBmpList* bitmaps, int backgroundBitmap, const SourceRect* background,
               WBmpFont* bitmapFont);
    // Keeps the old text when the memory for the new one cannot be had.
    void SetText(const char* newText, int redraw);
    void SetSeparator(const char* newSeparator);
    void SetScrolling(int enabled, int period);
    void SetSkin(WFont* font, COLORREF textColour, COLORREF backColour, WBmpList* bitmaps,
                 int backgroundBitmap, const SourceRect* background, WBmpFont* bitmapFont,
                 int redraw);
    void Invalidate();
    bool IsOpaque() const { return style >= 2; }

    // Text memory: 1 on success, 0 on failure (or the message thrown with throwErrors).
    int Alloc(int size);
    int ReAlloc(int size);
    int DeAlloc();

    char* text = nullptr; // in memory, while locked
    int style = 0;
    char separator[separatorCapacity] = "";
    int throwErrors = 0;
    int scrollEnabled = 0;
    int scrollPeriod = 500;
    WFont* font = nullptr; // not owned
    COLORREF textColour = 0;
    WBmpFont* bitmapFont = nullptr; // not owned
    COLORREF backColour = 0;
    WBmpList* bitmaps = nullptr; // not owned
    int backgroundBitmap = 0;
    SourceRect backgroundSource;
    GlobalBlock memory;
    int capacity = 0;
    int marqueeActive = 0;
    std::string marqueeText;

private:
    static LRESULT CALLBACK TextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    int Fail(const char* message) const;
    const char* CurrentText() const { return text ? text : ""; }
    void Paint();
    int DrawShownText(HDC dc, const RECT& client, const char* shown) const;
    int MeasureWithFont(HDC dc) const;
    void StartMarquee(int period);
    void StopMarquee();
    void ScrollStep();
    void ForwardMouse(UINT message, WPARAM wParam, LPARAM lParam);
};
