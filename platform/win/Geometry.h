// Rectangles and points in pixels.
#pragma once

#include "platform/com/Types.h"

struct RECT {
    LONG left, top, right, bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct POINT {
    LONG x, y;
};

struct SIZE {
    LONG cx, cy;
};
