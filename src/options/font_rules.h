// The editor font's rules apart from the font dialog and GDI: what the
// dialog is first shown with, and the size the editor gets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// Characters a face name may have in the font record (its field holds one
// more, for the terminating zero).
inline constexpr std::size_t kMaxFaceNameLength = 31;

// The dialog's first proposal, from the stored "Face" and "Size".
struct InitialFont {
    std::string face;  // at most kMaxFaceNameLength characters
    int32_t points;    // 0: no initial size, the dialog chooses its own
};
InitialFont InitialFontFrom(std::string_view storedFace, std::string_view storedSize);

// The editor's size in whole points for the dialog's size in tenths of a
// point: the tenths are dropped, so 10.5 points give 10.
int32_t WholePoints(int32_t tenthsOfAPoint);

}  // namespace quillet
