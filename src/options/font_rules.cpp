#include "options/font_rules.h"

#include "program/settings_rules.h"

namespace quillet {

InitialFont InitialFontFrom(std::string_view storedFace, std::string_view storedSize) {
    // A longer stored face is cut to fit the record's field rather than
    // written past it.
    return {std::string(storedFace.substr(0, kMaxFaceNameLength)), ParseInteger(storedSize)};
}

int32_t WholePoints(int32_t tenthsOfAPoint) { return tenthsOfAPoint / 10; }

}  // namespace quillet
