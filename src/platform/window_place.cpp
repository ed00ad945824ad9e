#include "platform/window_place.h"

namespace quillet {

ScreenPoint CentredOver(long ownerLeft, long ownerTop, long ownerWidth, long ownerHeight, long width,
                        long height) {
    const long x = ownerLeft + (ownerWidth - width) / 2;
    const long y = ownerTop + (ownerHeight - height) / 2;
    return {x < 0 ? 0 : x, y < 0 ? 0 : y};
}

}  // namespace quillet
