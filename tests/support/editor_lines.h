// The editor's text line by line, as the tests build and read it: the
// reference that the program's whole-document transfer must agree with.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/editor_text_win.h"

namespace quillet::test {

// Adds one line at the end (index -1), or before line `index` (a line that
// does not exist adds at the end). A first empty line is kept as the
// editor's pending mark until a second line arrives. Each addition is an
// undoable replacement, with the selection hidden meanwhile.
void AddLine(HWND editor, std::string_view text, long index = -1);

// Line `line` as the control counts lines, without its break.
std::string LineText(HWND editor, long line);

// The status-bar figures as the status bar works them out now.
CaretPosition CaretPositionNow(HWND editor);

// The status-bar figures found the long way, by character position alone,
// whatever the caret's place: for checking GetCaretPosition's shortcuts.
CaretPosition CountCaretPosition(HWND editor);

}  // namespace quillet::test
