#include "app/status_text.h"

namespace quillet {

namespace {

// The control's figures are zero-based; the bar shows them from 1. Adding
// in unsigned keeps the largest long from overflowing.
std::string OneBased(long value) {
    if (value < 0) {
        return std::to_string(value + 1);
    }
    return std::to_string(static_cast<unsigned long long>(value) + 1ULL);
}

}  // namespace

std::string StatusText(long column, long line, long lineCount) {
    return "Char " + OneBased(column) + " Line " + OneBased(line) + " of " +
           std::to_string(lineCount) + " lines";
}

}  // namespace quillet
