// The status bar's text.
#pragma once

#include <string>

namespace quillet {

// "Char N Line M of K lines" from the zero-based column and line of the
// selection start and the control's line count.
std::string StatusText(long column, long line, long lineCount);

}  // namespace quillet
