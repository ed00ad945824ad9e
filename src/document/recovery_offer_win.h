// At start-up, once the main window is shown: the text that a Quillet which is
// gone (crashed, killed, the power cut) left in its recovery copy is offered
// back, newest first.
#pragma once

#include "program/command_context_win.h"

namespace quillet {

// Asks about each orphaned copy in turn: Yes opens it as a modified document
// with its original title and stops there (the rest wait for the next start);
// No deletes it once the user confirms, and the next is offered; Cancel keeps
// them all. A copy that cannot be read is kept, and the user told. True when
// a copy was opened (the command-line file is then not loaded).
bool OfferRecoveredText(const CommandContext& context);

}  // namespace quillet
