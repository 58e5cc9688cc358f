#pragma once

#include "gfx/SourceRect.h"
#include "gfx/TextMap.h"

#include <windows.h>

class WBmpList;

// Draws text with glyphs cut from an entry of a WBmpList (whose mask gives transparency),
// placed by a text map; every glyph row is `height` pixels high.
class WBmpFont {
public:
    WBmpFont(WBmpList* bitmaps, int slot, const char* textMap, int height);

    // Returns the height.
    int SetFont(WBmpList* bitmaps, int slot, const char* textMap, int height);

    // Draws the text at the destination's top-left corner: scaled to the destination when
    // `stretch`, else cut at its edges; only glyph pixels change the target when
    // `transparent`. A character without a glyph shows as its base letter or a blank
    // (TextMap::Shape). Returns the text's width in pixels (the unscaled, uncut width).
    int DrawString(HDC dc, const char* text, int x, int y, int width, int height, int stretch,
                   int transparent) const;
    int DrawStringRect(HDC dc, const char* text, const SourceRect& dest, int stretch,
                       int transparent) const;

    WBmpList* bitmaps; // not owned
    int slot;
    TextMap textMap;
    int height;
};
