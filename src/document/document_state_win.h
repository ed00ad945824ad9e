// The document's state beyond its path: the modified check that guards
// unsaved text, and the New command.
#pragma once

#include "document/document_title_win.h"
#include "program/command_context_win.h"

namespace quillet {

// The modified check: asks whether to save a modified document and saves on
// Yes. Returns false when the user said Yes but the document is still not
// saved (dialog cancelled, save failed): the operation that asked stops then.
bool OfferToSaveChanges(const CommandContext& context);

// The New command: an empty, untitled document.
void OnNew(const CommandContext& context);

}  // namespace quillet
