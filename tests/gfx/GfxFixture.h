#pragma once

#include "support/DibCanvas.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

using PixelAt = std::function<COLORREF(int x, int y)>;

// Bitmap files in a temporary folder, painted on DIB canvases.
class GfxFixture : public ::testing::Test {
protected:
    std::string Save(const DibCanvas& canvas, const std::string& name) {
        folder.Write(name, canvas.BmpFile());
        return folder.File(name);
    }

    TempFolder folder;
};

// Every pixel different and none black, so any misplaced pixel shows.
inline COLORREF Distinct(int x, int y) {
    return RGB(10 + x * 5, 10 + y * 7, 60 + (x + y) % 50);
}
inline COLORREF Background(int x, int y) {
    return RGB(220, 4 * x, 4 * y);
}

// "" when the area (x, y, w, h) shows `inside` (given coordinates within the area) and the
// rest of the canvas shows `outside`, else the first mismatch.
inline std::string AreaMismatch(const DibCanvas& canvas, int x, int y, int w, int h,
                                const PixelAt& inside, const PixelAt& outside = Background) {
    return canvas.Mismatch(0, 0, canvas.Width(), canvas.Height(), [&](int px, int py) {
        bool within = px >= x && px < x + w && py >= y && py < y + h;
        return within ? inside(px - x, py - y) : outside(px, py);
    });
}

inline bool IsLiveGdiObject(HGDIOBJ object) {
    return object && GetObjectType(object) != 0;
}
