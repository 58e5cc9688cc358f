#pragma once

#include <windows.h>

// Where a window dragged near the other of the two goes: its edges jump to the other's facing
// edges when they come closer than the snap distance ("less than": 9 of 10 snaps, 10 does not).
// Both windows snap this way to each other; screen edges never attract.
namespace WindowSnap {

// The top-left corner for `moving` (its rectangle before the move) wanted at `wanted`.
POINT Snap(const RECT& moving, const RECT& other, POINT wanted, int distance);

// The two stand side by side or one on the other, within the distance.
bool Touching(const RECT& a, const RECT& b, int distance);

} // namespace WindowSnap
