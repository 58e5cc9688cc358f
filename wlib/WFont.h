#pragma once

#include <windows.h>

// A GDI font, owned. Callers send `handle` to dialog items with WM_SETFONT; a null handle
// (the platform refused the font) leaves those items with their default font.
class WFont {
public:
    enum Flags { bold = 1, italic = 2, underline = 4, strikeOut = 8 };

    WFont();
    WFont(int points, int flags, const char* face);
    ~WFont();
    WFont(const WFont&) = delete;
    WFont& operator=(const WFont&) = delete;

    HFONT handle = nullptr;
};
