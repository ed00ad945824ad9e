// Saving: the Save and Save As commands and the file writer they share.
#pragma once

#include <string>

#include "program/command_context_win.h"

namespace quillet {

// Writes the document to path, CR LF after every line. Text the code page
// cannot hold is written only when the user agrees. On success the document
// belongs to path and is not modified; on failure nothing changes and the
// user is told why. True when written.
bool WriteDocument(const CommandContext& context, const std::string& path);

// The Save command (Save As for an untitled document). True when written.
bool SaveDocument(const CommandContext& context);

// The Save As command. True when written.
bool SaveDocumentAs(const CommandContext& context);

void OnSave(const CommandContext& context);
void OnSaveAs(const CommandContext& context);

}  // namespace quillet
