// What word wrap, always on top and transparent mode have in common: a stored
// switch in section "Display", a ticked Options item, a start-up step that
// applies the stored value and a command that flips it.
#pragma once

#include "program/command_context_win.h"

namespace quillet {

struct ViewSwitch {
    const char* key;  // of section "Display"
    int menuId;       // the Options item that shows the tick
    void (*apply)(const CommandContext& context, bool on);
};

// Start-up: the stored state, then the tick.
void ApplyStoredSwitch(const CommandContext& context, const ViewSwitch& view);

// The command: reads the stored value (not the tick) and sets, ticks and
// stores the other state. Where the value cannot be stored, the next command
// reads the old value and sets the same state again.
void ToggleSwitch(const CommandContext& context, const ViewSwitch& view);

}  // namespace quillet
