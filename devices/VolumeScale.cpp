#include "devices/VolumeScale.h"

namespace VolumeScale {

namespace {

const std::uint32_t stepValue = 100;
const std::uint32_t topValue = 65500;

// A slider or a caller out of range must not wrap the unsigned volume around.
int ClampPosition(int position) {
    if (position < 0) return 0;
    if (position > maxPosition) return maxPosition;
    return position;
}

} // namespace

int PositionFromValue(std::uint32_t value) {
    // A mixer reporting beyond its 16-bit scale still shows at the top.
    const std::uint32_t steps = value / stepValue;
    return steps >= static_cast<std::uint32_t>(maxPosition) ? 0
                                                            : maxPosition - static_cast<int>(steps);
}

std::uint32_t ValueFromPosition(int position) {
    return topValue - static_cast<std::uint32_t>(ClampPosition(position)) * stepValue;
}

int PercentFromPosition(int position) {
    return static_cast<int>(ValueFromPosition(position) / static_cast<std::uint32_t>(maxPosition));
}

int LockedPosition(int leftPosition, int rightPosition) {
    return (ClampPosition(leftPosition) + ClampPosition(rightPosition)) / 2;
}

} // namespace VolumeScale
