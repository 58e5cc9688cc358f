#pragma once

#include <cstdint>

// The volume sliders' scale: positions 0 (top, loudest) .. 655 (bottom, silent) against the
// mixer's values 0 .. 65535. The top position writes 65500, so a value read back may sit one
// step above what the slider can write.
namespace VolumeScale {

constexpr int maxPosition = 655;

// The slider position that shows a mixer value.
int PositionFromValue(std::uint32_t value);
// The mixer value a slider position writes.
std::uint32_t ValueFromPosition(int position);
// The percentage shown while a slider moves: 100 at the top, 0 at the bottom.
int PercentFromPosition(int position);
// Where both channel sliders meet when the channels are locked together.
int LockedPosition(int leftPosition, int rightPosition);

} // namespace VolumeScale
