// The file dialog's inputs: its filter list and the split of its default
// into a starting folder and a file name.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// "Text (*.txt)|*.txt|All files (*.*)|*.*" becomes the NUL-separated list
// that ends with two NULs.
std::string FilterList(std::string_view pipeSeparated);

struct DialogStart {
    std::string folder;    // "" leaves it to the system
    std::string fileName;  // "" when empty or not a valid name
};

// Splits at the last backslash; no backslash, or only one at the very first
// character, makes the whole default the file name. A file name holding a
// character below space or any of " \ / : * ? < > | is dropped.
DialogStart SplitDialogDefault(std::string_view defaultPath);

inline constexpr std::size_t kDialogPathCapacity = 260;

}  // namespace quillet
