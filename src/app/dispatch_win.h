// Dispatch of menu and button events to the command handlers.
#pragma once

#include "app/commands.h"
#include "program/command_context_win.h"

namespace quillet {

// Run the command of a menu event or a button event, then the focus step.
// Identifiers that are in neither table do nothing.
void DispatchMenuEvent(const CommandContext& context, int id);
void DispatchButtonEvent(const CommandContext& context, int id);

}  // namespace quillet
