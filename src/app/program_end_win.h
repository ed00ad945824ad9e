// How the program ends: closing the main window, or the Exit command.
#pragma once

#include "app/command_context_win.h"

namespace quillet {

// The close request (close box, Alt+F4, the window menu's Close): offers to
// save a modified document, stores the window geometry and ends the event
// loop. Returns false when the window stays open.
bool RunCloseSequence(const CommandContext& context);

// The Exit command: offers to save a modified document like closing does,
// then ends the event loop without storing the geometry.
void OnExit(const CommandContext& context);

}  // namespace quillet
