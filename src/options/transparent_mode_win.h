// Transparent mode: the whole main window partly see-through. Stored as
// "Transparent"; ticked on Options "Transparent Mode".
#pragma once

#include <windows.h>

#include "app/command_context_win.h"

namespace quillet {

inline constexpr BYTE kTransparentAlpha = 175;
inline constexpr BYTE kOpaqueAlpha = 255;

// Makes the window layered (it stays so) and gives it a constant alpha.
// Where the system has no SetLayeredWindowAttributes only the style changes.
void SetWindowOpacity(HWND window, BYTE alpha);

// Start-up: the window is layered from then on, opaque or not.
void ApplyTransparentMode(const CommandContext& context);
void OnTransparentMode(const CommandContext& context);  // menu 29

}  // namespace quillet
