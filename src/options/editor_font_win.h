// Set Font: the editor's font, chosen in the system font dialog, for the
// rest of the run. The settings only give the dialog its first proposal
// ("Face", "Size") and receive "FontID" and "FontColor" after each choice.
#pragma once

#include <windows.h>

#include "program/command_context_win.h"

namespace quillet {

void OnSetFont(const CommandContext& context);  // menu 27

// The font of the last accepted choice, nullptr before the first. It stays
// until the next choice replaces it; the one replaced is deleted then.
HFONT EditorFont();

}  // namespace quillet
