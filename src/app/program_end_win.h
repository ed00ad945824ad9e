// How the program ends: closing the main window, or the Exit command.
#pragma once

#include "program/command_context_win.h"

namespace quillet {

// The close request (close box, Alt+F4, the window menu's Close): offers to
// save a modified document, stores the window geometry and ends the event
// loop. Returns false when the window stays open.
bool RunCloseSequence(const CommandContext& context);

// The Exit command: offers to save a modified document like closing does,
// then ends the event loop without storing the geometry.
void OnExit(const CommandContext& context);

// A request to end the Windows session (WM_QUERYENDSESSION): offers to save
// a modified document like closing does. False, with the reason shown by the
// system where it can, when the user said Yes and the document is still not
// saved; the session may end otherwise.
bool AllowSessionEnd(const CommandContext& context);

// The session's end was decided (WM_ENDSESSION): when it ends, the window
// geometry is stored as on a close; when it goes on, the reason to block it
// is withdrawn.
void OnSessionEnd(const CommandContext& context, bool ending);

}  // namespace quillet
