// Files dropped onto the main window from the shell.
#pragma once

#include <windows.h>

#include <string>

#include "program/command_context_win.h"

namespace quillet {

// The first dropped path, read whole however long it is; "" when the drop
// carries none or its name cannot be read whole. Releases the drop.
std::string TakeFirstDroppedFile(HDROP drop);

// Loads the first dropped file in place of the document. Something that
// cannot be opened (a folder, a missing file) changes nothing and asks
// nothing; otherwise a modified document gets the modified check first, and
// stays when the user wanted it saved and it was not.
void OnDroppedFiles(const CommandContext& context, HDROP drop);

}  // namespace quillet
