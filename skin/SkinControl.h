#pragma once

#include "gfx/SourceRect.h"

#include <cstdint>

// One control of a skin: where it sits, the strip of its bitmap that holds its four state
// images side by side, and those four cells (normal, pressed, hover, disabled), each a
// quarter of the strip's width.
struct SkinControl {
    enum { normal, pressed, hover, disabled, cellCount };

    SourceRect placement;
    SourceRect strip;
    SourceRect cells[cellCount];

    // From the eight values of a control key: placement x, y, width, height, then the strip's.
    static SkinControl FromValues(const std::int32_t* values);
};
