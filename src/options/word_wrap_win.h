// Word wrap: long lines break at the editor's right edge, or run on with the
// horizontal scroll bar. Stored as "WordWrap"; ticked on Options "Word Wrap".
#pragma once

#include "program/command_context_win.h"

namespace quillet {

void ApplyWordWrap(const CommandContext& context);  // start-up
void OnWordWrap(const CommandContext& context);     // menu 26, button 3

}  // namespace quillet
