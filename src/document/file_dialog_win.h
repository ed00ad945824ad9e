// The system's open and save dialogs, as every document command shows them.
#pragma once

#include <string>

namespace quillet {

enum class FileDialogKind { Open, Save };

// Shows the dialog starting from defaultPath (a last-used folder, or a path)
// with a "|"-separated filter. Returns the chosen full path, or "" when the
// dialog was cancelled or failed.
std::string ShowFileDialog(FileDialogKind kind, const std::string& title,
                           const std::string& defaultPath, const std::string& filter);

}  // namespace quillet
