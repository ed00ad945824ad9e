// One edit over a span of the editor's text, for a change that the program
// works out in memory: the new text streamed over the selection as one
// undoable step, and what the control makes of a text put over its
// selection.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// Replaces the selection with text (line breaks as the control keeps them)
// in one EM_STREAMIN: one undo step, links in it recognised, the caret left
// behind it. False when the control did not take all of it.
bool StreamOverSelection(HWND editor, const std::wstring& text);

// The text that ReplaceSelection(editor, text) inserts, as ReadEditorTextW
// would read it: the control changes line breaks on the way in (in 2.0 a
// CR LF becomes one CR). Asked of a hidden control of the editor's kind.
std::wstring InsertedForm(HWND editor, const std::string& text);

}  // namespace quillet
