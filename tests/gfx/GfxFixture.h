#pragma once

#include "gfx/SourceRect.h"

#include "support/DibCanvas.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

// Every pixel different and none black, so any misplaced pixel shows.
inline COLORREF Distinct(int x, int y) {
    return RGB(10 + x * 5, 10 + y * 7, 60 + (x + y) % 50);
}
inline COLORREF Background(int x, int y) {
    return RGB(220, 4 * x, 4 * y);
}

// Bitmap files in a temporary folder, and a canvas to draw them on.
class GfxFixture : public ::testing::Test {
protected:
    std::string Save(const DibCanvas::PixelAt& pixels, int w, int h, const std::string& name) {
        DibCanvas bitmap(w, h);
        bitmap.Paint(pixels);
        folder.Write(name, bitmap.BmpFile());
        return folder.File(name);
    }
    // The canvas showing the background, with monochrome colours neither black nor white.
    HDC Fresh() {
        canvas.Paint(Background);
        SetTextColor(canvas.Dc(), RGB(255, 0, 0));
        SetBkColor(canvas.Dc(), RGB(0, 0, 255));
        return canvas.Dc();
    }
    // "" when the area shows `inside` (given coordinates within the area) and the rest of the
    // canvas the background, else the first mismatch.
    std::string Shows(const SourceRect& area, const DibCanvas::PixelAt& inside) const {
        return canvas.Mismatch(0, 0, 70, 40, [&](int x, int y) {
            int ax = x - area.x, ay = y - area.y;
            bool within = ax >= 0 && ax < area.width && ay >= 0 && ay < area.height;
            return within ? inside(ax, ay) : Background(x, y);
        });
    }

    TempFolder folder;
    DibCanvas canvas{70, 40}; // Shows() compares all of it
};
