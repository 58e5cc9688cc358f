#pragma once

#include "gfx/GdiHandles.h"

#include <windows.h>

// The dialogs' pictures at the dialog's dpi: the 1x art below 144 dpi, the 2x art from
// there, and from 240 dpi the 2x art enlarged pixel for pixel (no blur) to the size the
// layout gives it.
class DialogArt {
public:
    // GetDpiForWindow where the system has it, else the screen's LOGPIXELSY.
    static int DpiOf(HWND window);
    // 1 or 2: which art suits the dpi.
    static int ArtScale(int dpi);
    // The picture of the 1x resource oneX (twoX at 2x); when the dpi asks for more than 2x,
    // enlarged to its size at that dpi but no larger than the box (width x height pixels).
    static BitmapHandle Picture(HINSTANCE instance, int oneX, int twoX, int dpi, SIZE box);
    // Shows the picture in the page's picture control, whose place in the template is the
    // box the picture may take: at the box's top, centred across it. The page keeps it.
    static BitmapHandle Show(HWND page, int control, HINSTANCE instance, int oneX, int twoX);
    // The bitmap enlarged by nearest neighbour to width x height (a mask stays monochrome).
    static BitmapHandle Enlarged(HBITMAP source, int width, int height, bool monochrome);
};
