// Append To: the whole document added to the end of another file.
#pragma once

#include <string>

#include "program/command_context_win.h"

namespace quillet {

// Adds the document's lines, CR LF after each, to the end of the file at
// path, creating it when missing, and remembers its folder. The document's
// own file is refused with a warning. When the file cannot be opened or a
// write fails, the user is told, the file is cut back to what it held and
// the folder is not remembered. Title and modified flag are left alone.
// True when appended.
bool AppendDocumentTo(const CommandContext& context, const std::string& path);

// The Append To command.
void OnAppendTo(const CommandContext& context);

}  // namespace quillet
