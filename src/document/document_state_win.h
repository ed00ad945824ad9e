// The document's state: its path (carried by the main window's title) and
// whether it has changed since it was loaded, saved or cleared.
#pragma once

#include <string>

#include "app/command_handlers_win.h"

namespace quillet {

std::string CurrentPath(HWND mainWindow);
void SetDocumentTitle(HWND mainWindow, const std::string& path);

// The modified check: asks whether to save a modified document and saves on
// Yes. Returns false when the user said Yes but the document is still not
// saved (dialog cancelled, save failed): the operation that asked stops then.
bool OfferToSaveChanges(const CommandContext& context);

// The New command: an empty, untitled document.
void OnNew(const CommandContext& context);

}  // namespace quillet
