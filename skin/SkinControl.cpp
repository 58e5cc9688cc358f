#include "skin/SkinControl.h"

SkinControl SkinControl::FromValues(const std::int32_t* values) {
    SkinControl control;
    control.placement = {values[0], values[1], values[2], values[3]};
    control.strip = {values[4], values[5], values[6], values[7]};
    const std::int32_t cellWidth = control.strip.width / cellCount;
    for (int k = 0; k < cellCount; k++)
        control.cells[k] = {control.strip.x + k * cellWidth, control.strip.y, cellWidth,
                            control.strip.height};
    return control;
}
