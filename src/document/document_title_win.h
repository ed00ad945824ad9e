// The document's path, which the main window's title carries and nothing
// else does.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// The title less its leading "Quillet - ".
std::string CurrentPath(HWND mainWindow);

// Sets the title to "Quillet - " and the path.
void SetDocumentTitle(HWND mainWindow, const std::string& path);

}  // namespace quillet
