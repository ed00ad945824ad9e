// The Edit menu's plain commands and the clear-clipboard button. Each hands
// its work to the editor control or the system clipboard, whose own rules
// decide the effect (Undo with nothing to undo, Paste with an empty
// clipboard and the like do nothing).
#pragma once

#include "program/command_context_win.h"

namespace quillet {

void OnUndo(const CommandContext& context);
void OnCut(const CommandContext& context);
void OnCopy(const CommandContext& context);
void OnPaste(const CommandContext& context);
void OnSelectAll(const CommandContext& context);
void OnDelete(const CommandContext& context);  // erases the selection

// Empties the system clipboard; nothing when another program holds it.
void OnClearClipboard(const CommandContext& context);

}  // namespace quillet
