// Where the program's tool windows go over the window they belong to.
// Portable arithmetic.
#pragma once

namespace quillet {

struct ScreenPoint {
    long x;
    long y;
};

// Where a window of width by height goes over its owner's outer rectangle:
// centred (each half truncated toward zero), no coordinate below 0.
ScreenPoint CentredOver(long ownerLeft, long ownerTop, long ownerWidth, long ownerHeight, long width,
                        long height);

}  // namespace quillet
