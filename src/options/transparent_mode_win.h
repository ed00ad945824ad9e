// Transparent mode: the whole main window partly see-through (alpha 175 of
// 255). Stored as "Transparent"; ticked on Options "Transparent Mode".
#pragma once

#include "program/command_context_win.h"

namespace quillet {

// Start-up: the window is layered from then on, see-through or opaque.
void ApplyTransparentMode(const CommandContext& context);
void OnTransparentMode(const CommandContext& context);  // menu 29

}  // namespace quillet
