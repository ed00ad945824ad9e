#include "app/program_end_win.h"

#include "document/document_state_win.h"
#include "ui/window_geometry_win.h"

namespace quillet {

bool RunCloseSequence(const CommandContext& context) {
    if (!OfferToSaveChanges(context)) return false;
    StoreGeometry(context.settingsPath, CurrentGeometry(context.mainWindow));
    ::PostQuitMessage(0);
    return true;
}

void OnExit(const CommandContext& context) {
    if (!OfferToSaveChanges(context)) return;
    ::PostQuitMessage(0);
}

}  // namespace quillet
