// What one keystroke and one status-bar refresh cost inside the control,
// measured in this process on a loaded control like Quillet's editor.
#pragma once

#include <string>

namespace bench {

// Loads bytes into a fresh control, puts the caret at the end and prints,
// in milliseconds: each query of a status-bar refresh, and one typed
// character (WM_CHAR plus the repaint it causes).
void ProbeTyping(const std::string& key, const std::string& bytes, int keys);

}  // namespace bench
