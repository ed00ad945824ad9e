// The document's path as the title carries it, and the file-name rules of
// saving.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

inline constexpr char kTitlePrefix[] = "Quillet - ";
inline constexpr char kUntitledPath[] = "Untitled.txt";

// "Quillet - " followed by the path.
std::string TitleForPath(std::string_view path);

// The title less its leading "Quillet - " only; a title without that prefix
// is returned whole. A path that itself contains the prefix is kept intact.
std::string PathFromTitle(std::string_view title);

bool IsUntitled(std::string_view path);

// The text after the last "." when a "." comes before any "\" or "/" looking
// back from the end, cut at a double quote; otherwise "".
std::string ExtensionPart(std::string_view path);

// The Save As name rule: ".txt" appended when the extension part is empty.
std::string WithDefaultExtension(std::string_view path);

}  // namespace quillet
