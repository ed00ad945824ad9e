// The system's open and save dialogs, as every document command shows them.
#pragma once

#include <string>

namespace quillet {

enum class FileDialogKind { Open, Save };

// The filter of the dialogs that Save As, Insert and Append To show.
inline constexpr char kTextFilesFilter[] = "Text files (*.txt)|*.txt|All files (*.*)|*.*";

// Shows the dialog starting from defaultPath (a last-used folder, or a path)
// with a "|"-separated filter. Returns the chosen full path, or "" when the
// dialog was cancelled or failed.
std::string ShowFileDialog(FileDialogKind kind, const std::string& title,
                           const std::string& defaultPath, const std::string& filter);

// Asks for a path as a command does: the dialog starts in the folder the
// command last used (its key of section "LastAccessed" in the settings file).
std::string AskForPath(const std::string& settingsPath, const char* lastFolderKey, FileDialogKind kind,
                       const char* title, const char* filter = kTextFilesFilter);

}  // namespace quillet
