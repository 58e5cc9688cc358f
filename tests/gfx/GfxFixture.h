#pragma once

#include "support/DibCanvas.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

inline bool IsLiveGdiObject(HGDIOBJ object) {
    return object && GetObjectType(object) != 0;
}
