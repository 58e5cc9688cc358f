#include "forms/WindowSnap.h"

#include <cstdlib>

namespace {

bool OverlapVertically(const RECT& a, const RECT& b) {
    return a.top < b.bottom && a.bottom > b.top;
}

bool OverlapHorizontally(const RECT& a, const RECT& b) {
    return a.left < b.right && a.right > b.left;
}

bool Near(long a, long b, int distance) {
    return std::labs(a - b) < distance;
}

} // namespace

namespace WindowSnap {

POINT Snap(const RECT& moving, const RECT& other, POINT wanted, int distance) {
    const long width = moving.right - moving.left, height = moving.bottom - moving.top;
    // The second test of each pair sees the result of the first, so a window as wide as
    // the gap ends at the other's left edge.
    if (OverlapVertically(moving, other)) {
        if (Near(wanted.x, other.right, distance)) wanted.x = other.right;
        if (Near(wanted.x + width, other.left, distance)) wanted.x = other.left - width;
    }
    if (OverlapHorizontally(moving, other)) {
        if (Near(wanted.y + height, other.top, distance)) wanted.y = other.top - height;
        if (Near(wanted.y, other.bottom, distance)) wanted.y = other.bottom;
    }
    return wanted;
}

bool Touching(const RECT& a, const RECT& b, int distance) {
    if (OverlapVertically(a, b) &&
        (Near(a.left, b.right, distance) || Near(a.right, b.left, distance)))
        return true;
    return OverlapHorizontally(a, b) &&
           (Near(a.bottom, b.top, distance) || Near(a.top, b.bottom, distance));
}

} // namespace WindowSnap
