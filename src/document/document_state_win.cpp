#include "document/document_state_win.h"

#include "document/path_rules.h"
#include "document/save_document_win.h"
#include "platform/editor_control_win.h"
#include "platform/editor_text_win.h"
#include "platform/modal_win.h"

namespace quillet {

bool OfferToSaveChanges(const CommandContext& context) {
    if (!IsModified(context.editor)) return true;
    const std::string question =
        "The text in this file has been modified\r\n\r\nWould you like to save this file now?\r\n\r\n" +
        CurrentPath(context.mainWindow);
    if (ShowMessage(question, "Save modified file?", MB_YESNO | MB_ICONQUESTION) != IDYES) return true;
    SaveDocument(context);
    // Yes means "keep my text": when it is still not saved, whatever asked
    // must not throw it away.
    return !IsModified(context.editor);
}

void OnNew(const CommandContext& context) {
    if (!OfferToSaveChanges(context)) return;
    context.editor = RecreateEditor(context.editor);
    SetDocumentTitle(context.mainWindow, kUntitledPath);
}

}  // namespace quillet
