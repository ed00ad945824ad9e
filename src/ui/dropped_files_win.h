// Files dropped onto the main window from the shell.
#pragma once

#include <windows.h>

#include <string>

#include "app/command_context_win.h"

namespace quillet {

// The first dropped path ("" when the drop carries none); releases the drop.
std::string TakeFirstDroppedFile(HDROP drop);

// Loads the first dropped file in place of the document, without asking:
// dropping a file is itself the request to open it.
void OnDroppedFiles(const CommandContext& context, HDROP drop);

}  // namespace quillet
