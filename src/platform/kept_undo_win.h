// The one undo step the program keeps itself, for a change that the control
// could not record within the time the change may take (a Replace all over
// much of a large document goes into a fresh control, which has no history):
// the whole text as it was before. The step is the editor's next Undo while
// the control has nothing of its own to undo and the text reads exactly as
// the change left it; whatever else changed the text since (an edit, a load,
// New) leaves it out.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/editor_text_win.h"
#include "platform/line_mark.h"

namespace quillet {

struct KeptText {
    std::wstring text;  // as ReadEditorTextW reads it
    LineMark mark = LineMark::None;
    Selection selection{0, 0};
};

// Keeps before as editor's undo step; after is the text the change left.
// Replaces any step kept before.
void KeepUndoStep(HWND editor, KeptText before, const std::wstring& after);

// The kept text, handed over and no longer kept, when the step applies to
// editor now.
std::optional<KeptText> TakeKeptUndoStep(HWND editor);

// The editor goes away, and its step with it.
void ForgetKeptUndoStep(HWND editor);

// For the editor's own Undo (keys and messages) when the control has nothing
// to undo: while a step is kept for the editor, its parent is asked to take
// it where it still applies (WM_COMMAND with this notice code and the editor,
// as a control's notice), since taking it puts a fresh control in the
// editor's place. True when asked.
inline constexpr WORD kKeptUndoNotice = 0x7E01;
bool AskParentForKeptUndo(HWND editor);

}  // namespace quillet
