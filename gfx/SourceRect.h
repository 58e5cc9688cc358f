#pragma once

#include <cstdint>

// An area of a bitmap or of a window: the record every skin value and drawing call uses.
struct SourceRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The area at `scale` screen pixels a skin pixel.
inline SourceRect Scaled(const SourceRect& r, int scale) {
    return {r.x * scale, r.y * scale, r.width * scale, r.height * scale};
}
