#include "wlib/WFont.h"

namespace {
int ScreenPixelsFor(int points) {
    HDC screen = GetDC(nullptr);
    int pixels = MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return pixels;
}
} // namespace

WFont::WFont() : handle(static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT))) {
}

WFont::WFont(int points, int flags, const char* face) {
    // A negative height asks for the character height, not the cell height.
    handle = CreateFontA(-ScreenPixelsFor(points), 0, 0, 0, (flags & bold) ? FW_BOLD : FW_NORMAL,
                         (flags & italic) != 0, (flags & underline) != 0, (flags & strikeOut) != 0,
                         DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

WFont::~WFont() {
    if (handle) DeleteObject(handle);
}
