// Replace all on the editor, as one undo step and about as fast as loading
// the text: the text is read once, every replacement is worked out in
// memory (replace_all_text.h), and the editor takes the result in one edit.
// A change small enough for the control to record goes in as one undoable
// edit of the span that changed, keeping the control's history; a larger
// one goes into a fresh control, like a load, and the program keeps the
// text from before as the one step that Undo takes back (kept_undo_win.h),
// giving up the control's earlier history.
#pragma once

#include <windows.h>

#include <string>

#include "editing/find_replace_rules.h"
#include "editing/replace_all_text.h"

namespace quillet {

struct ReplaceAllRequest {
    std::string find;     // the fields' ANSI texts
    std::string replace;
    unsigned flags;       // the search flags
    long replaceLength;   // the Replace text in characters, as the searches step on
    std::size_t inPlaceLineSteps = kInPlaceLineSteps;
};

// Replace all from start. The editor may be a fresh control afterwards; the
// caret is behind the last replacement. Told to the user, with the document
// left as it was, when there is not the memory for it.
void ReplaceAllInEditor(HWND& editor, const ReplaceAllStart& start, const ReplaceAllRequest& request);

// Takes the kept step back: the text from before the Replace all, in a
// fresh control, the selection as it was then and the document modified.
// False when no kept step applies to the editor.
bool UndoReplaceAll(HWND& editor);

// The control's search rules, as measured on Wine 8's RichEdit for every
// character of the basic plane: without "Match Case" only the ASCII letters
// compare without their case; for "Whole Words only" a letter or a digit as
// the system classifies characters (GetStringTypeW) is a word character.
SearchRules EditorSearchRules(unsigned flags);

}  // namespace quillet
