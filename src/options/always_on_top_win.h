// Always on top: the main window above every window that is not topmost
// itself. Stored as "OnTop"; ticked on Options "Always On Top".
#pragma once

#include "program/command_context_win.h"

namespace quillet {

void ApplyAlwaysOnTop(const CommandContext& context);  // start-up
void OnAlwaysOnTop(const CommandContext& context);     // menu 28, button 7

}  // namespace quillet
