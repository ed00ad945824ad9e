// Insert: another file's lines go in above the line that holds the caret.
#pragma once

#include <windows.h>

#include <string>

#include "program/command_context_win.h"

namespace quillet {

// Puts block (see InsertedBlockFromFileBytes) in at the start of the line
// that holds the caret, as one undoable change, and leaves the caret at the
// start of that line, just below the block. An empty block changes nothing.
void InsertBlockAtCaretLine(HWND editor, const std::string& block);

// Inserts the file's lines above the caret line and remembers its folder.
// A file that cannot be opened changes nothing, silently; one that opens but
// cannot be read whole changes nothing and the user is told. True when the
// file was read.
bool InsertFile(const CommandContext& context, const std::string& path);

// The Insert command.
void OnInsert(const CommandContext& context);

}  // namespace quillet
