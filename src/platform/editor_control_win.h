// The rich-text edit control that holds the document: making it, and moving
// the whole document into it and out of it.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/line_mark.h"

namespace quillet {

// The editor's styles. ES_DISABLENOSCROLL keeps both scroll bars on show,
// greyed while not needed: a scroll bar that came and went with the text would
// resize the control's client area, and the control lays the whole document
// out again on every resize. On a 10 MB document that is minutes for the one
// key that makes a line wider than the window. ES_NOOLEDRAGDROP: the control
// takes no drops of its own, so that no rich text or object is dropped into
// the document and a file dropped on it reaches the main window's drop.
inline constexpr DWORD kEditorStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                      ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN |
                                      ES_NOHIDESEL | ES_DISABLENOSCROLL | ES_NOOLEDRAGDROP;

// Creates the editor (RichEdit 2.0, or the 1.0 control where 2.0 is missing)
// as a child of parent; nullptr when neither can be made.
HWND CreateEditor(HWND parent, int controlId, int x, int y, int width, int height);

// An empty editor in place of editor, made as it was (class, styles, place,
// identifier, notices, link detection, word wrap, the format of new text), and
// the old one destroyed; the focus follows. This is how the document is
// replaced: emptying a large text in place makes the control take it apart
// paragraph by paragraph, which under Wine takes seconds at 1 MB and many
// minutes at 10 MB, where a new control costs a fraction of a second. Returns
// the new editor, or editor itself emptied in place when no new one can be made.
HWND RecreateEditor(HWND editor);

// Links in the text are recognised and reported to the parent as EN_LINK.
void EnableLinkNotices(HWND editor);

// The editor keeps a mark for an empty first line, which the control cannot
// hold as text: a document of one empty line is empty text with the mark
// pending. Clearing empties the text, the undo history, the modified flag and
// the mark.
void ClearEditor(HWND editor);
LineMark GetLineMark(HWND editor);
void SetLineMark(HWND editor, LineMark mark);
// The document's lines: 0 for empty text without the mark, otherwise the
// control's count.
long LineCount(HWND editor);

// --- The whole document in, in one pass (editor_stream_out_win.h takes it out).
// Replaces the whole text with crText (lines joined by single CRs) and sets
// the mark; not an undo step, and leaves the undo history empty. False when
// the control did not take the whole text, also when there was not the
// memory for the copy the 1.0 control is given.
bool LoadEditorText(HWND editor, const std::string& crText, LineMark mark);
// The same in Unicode, as the control holds it: nothing is lost for the code
// page. The 1.0 control, which holds ANSI text, is given it as ANSI.
bool LoadEditorTextW(HWND editor, const std::wstring& crText, LineMark mark);

// Streams text in over what options name (0: the whole text; SFF_SELECTION:
// the selection), as UTF-16 for a wide text: whole characters at a time, and
// never a CR LF pair split between two reads, which the control would take
// for two line breaks. True when the control took all of it.
bool StreamTextIn(HWND editor, WPARAM options, std::string_view text);
bool StreamTextIn(HWND editor, WPARAM options, std::wstring_view text);

}  // namespace quillet
