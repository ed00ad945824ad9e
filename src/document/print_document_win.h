// Print: the document's file, as last saved, handed to the system's text
// editor with its print switch.
#pragma once

#include <string>

#include "app/command_context_win.h"

namespace quillet {

// The Print command. An untitled document gets a notice instead; otherwise
// the editor is started hidden and detached, and not waited for.
void OnPrint(const CommandContext& context);

// Lets tests choose the folder taken for the system folder, where the text
// editor is looked for. "" goes back to the system's own.
void SetSystemFolderForTesting(const std::string& folder);

}  // namespace quillet
