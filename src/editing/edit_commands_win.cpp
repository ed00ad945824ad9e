#include "editing/edit_commands_win.h"

#include "platform/editor_text_win.h"

namespace quillet {
namespace {

void Send(const CommandContext& context, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    ::SendMessageA(context.editor, message, wParam, lParam);
}

bool HasSelection(HWND editor) {
    const Selection selection = GetSelection(editor);
    return selection.start != selection.end;
}

// Cut and Delete. Without a selection there is nothing to do, and the
// clipboard must stay as it is (Wine's control empties it on a Cut of
// nothing). The control does not always mark the document modified when it
// erases (Wine's does not), so that is done here whenever the erasure took a
// step: an erasure of text always shortens it, while a selection of nothing
// but the closing paragraph mark erases nothing.
void EraseSelection(const CommandContext& context, UINT message) {
    if (!HasSelection(context.editor)) return;
    const long lengthBefore = TextLength(context.editor);
    Send(context, message);
    if (TextLength(context.editor) != lengthBefore) SetModified(context.editor, true);
}

}  // namespace

// The editor marks the document modified when the Undo takes a step.
void OnUndo(const CommandContext& context) { Send(context, WM_UNDO); }

void OnCut(const CommandContext& context) { EraseSelection(context, WM_CUT); }

void OnCopy(const CommandContext& context) {
    // Copying nothing leaves the clipboard alone.
    if (HasSelection(context.editor)) Send(context, WM_COPY);
}

void OnPaste(const CommandContext& context) { PastePlainText(context.editor); }

void OnSelectAll(const CommandContext& context) { SelectAllText(context.editor); }

void OnDelete(const CommandContext& context) { EraseSelection(context, WM_CLEAR); }

void OnClearClipboard(const CommandContext&) {
    if (!::OpenClipboard(nullptr)) return;
    ::EmptyClipboard();
    ::CloseClipboard();
}

}  // namespace quillet
