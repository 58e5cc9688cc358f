#pragma once

#include <windows.h>

// The integer factor the skin is drawn at: every skin pixel becomes scale x scale screen
// pixels, by nearest neighbour, so the skin stays crisp on screens of any dpi.
class SkinScale {
public:
    static constexpr int largest = 3;

    // GetDpiForWindow where the system has it, else the screen's LOGPIXELSY.
    static int DpiOf(HWND window);
    // The automatic scale of a dpi: 1 below 144, 2 from 144, 3 from 240.
    static int ForDpi(int dpi);
    // The chosen scale (1 .. 3), or for 0 (and any other value) the automatic one at the dpi.
    static int Effective(int chosen, int dpi);
};
