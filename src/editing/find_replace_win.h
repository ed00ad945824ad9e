// The Find/Replace command: opens the Find/Replace window over the main
// window and runs it until it is closed.
#pragma once

#include "program/command_context_win.h"

namespace quillet {

void OnFindReplace(const CommandContext& context);

}  // namespace quillet
