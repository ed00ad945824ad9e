// Set Font: the editor's font, chosen in the system font dialog, for the
// rest of the run. The settings only give the dialog its first proposal
// ("Face", "Size") and receive "FontID" and "FontColor" after each choice.
#pragma once

#include <windows.h>

#include "program/command_context_win.h"

namespace quillet {

// Menu 27. The font chosen goes into the editor's character format, for the
// text there and the text to come, as one change that Undo does not take back
// and that leaves the modified flag as it was.
void OnSetFont(const CommandContext& context);

}  // namespace quillet
