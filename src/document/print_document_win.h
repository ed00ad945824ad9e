// Print: the document's file, as last saved, handed to the system's text
// editor with its print switch.
#pragma once

#include "program/command_context_win.h"

namespace quillet {

// The Print command. An untitled document gets a notice instead; otherwise
// the editor is started hidden and detached, and not waited for.
void OnPrint(const CommandContext& context);

}  // namespace quillet
