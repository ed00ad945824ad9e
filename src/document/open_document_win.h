// Opening text files: the Open command and the load that every way of
// opening a file shares (Open, the command line, a dropped file).
#pragma once

#include <string>

#include "program/command_context_win.h"

namespace quillet {

// Replaces the document with the file's lines. A file that cannot be opened
// leaves everything as it was, silently; one that opens but cannot be read
// whole, or that the editor cannot hold, leaves the document as it was and
// tells the user. True when loaded.
bool LoadDocument(const CommandContext& context, const std::string& path);

// The Open command.
void OnOpen(const CommandContext& context);

// Loads the file named by the first command-line argument, when it exists
// and is not empty.
void LoadCommandLineFile(const CommandContext& context, const std::string& commandLine);

}  // namespace quillet
