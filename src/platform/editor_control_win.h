// The rich-text edit control that holds the document, and the operations the
// program performs on it.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>
#include <string_view>

#include "platform/line_mark.h"

namespace quillet {

// The editor's styles. ES_DISABLENOSCROLL keeps both scroll bars on show,
// greyed while not needed: a scroll bar that came and went with the text would
// resize the control's client area, and the control lays the whole document
// out again on every resize. On a 10 MB document that is minutes for the one
// key that makes a line wider than the window.
inline constexpr DWORD kEditorStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                      ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN |
                                      ES_NOHIDESEL | ES_DISABLENOSCROLL;

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

// --- Line operations. They keep a mark for an empty first line, which the
// control cannot hold as text: a document of one empty line is empty text
// with the mark pending.
void ClearEditor(HWND editor);
void AddLine(HWND editor, std::string_view text, long index = -1);
long LineCount(HWND editor);
std::string LineText(HWND editor, long line);
LineMark GetLineMark(HWND editor);

// --- Whole-document transfer in one pass each way.
// Replaces the whole text with crText (lines joined by single CRs) and sets
// the mark; not an undo step, and leaves the undo history empty. False when
// the control did not take the whole text.
bool LoadEditorText(HWND editor, const std::string& crText, LineMark mark);
// The whole text as it streams out: lines between breaks joined by CR LF,
// whatever the word-wrap setting. False when the text could not be taken.
bool SaveEditorText(HWND editor, std::string& out);

// --- Selection, modification and editing.
struct Selection {
    long start;
    long end;
};
Selection GetSelection(HWND editor);
void SetSelection(HWND editor, long start, long end);
bool IsModified(HWND editor);
void SetModified(HWND editor, bool modified);
void ReplaceSelection(HWND editor, const std::string& text);  // undoable
std::string TextRange(HWND editor, long start, long end);

// --- Status-bar figures: zero-based column and line of the selection start,
// and the control's line count.
struct CaretPosition {
    long column;
    long line;
    long lineCount;
};

// What the status-bar figures depend on, from queries that cost the same
// whatever the document's size: while none of it changes and the text is not
// edited, neither do the figures.
struct EditorState {
    long selectionStart;
    long selectionEnd;
    long textLength;  // characters, a line break counted as one
    long lineCount;
    long width;       // client width: with word wrap it decides the lines
    bool operator==(const EditorState& other) const {
        return selectionStart == other.selectionStart && selectionEnd == other.selectionEnd &&
               textLength == other.textLength && lineCount == other.lineCount && width == other.width;
    }
};
EditorState ObserveEditor(HWND editor);
long TextLength(HWND editor);

// The figures for the editor in the state just observed.
CaretPosition GetCaretPosition(HWND editor, const EditorState& state);
CaretPosition GetCaretPosition(HWND editor);
// The same figures found the long way, by character position alone, whatever
// the caret's place. For checking GetCaretPosition's shortcuts.
CaretPosition CountCaretPosition(HWND editor);

// --- Lines between breaks, whatever the word-wrap setting.
// Where the line that holds position begins: just after the nearest line
// break before position, or 0.
long LineStartOf(HWND editor, long position);

// Makes CreateEditor use the RichEdit 1.0 control, as on a system without
// RICHED20.DLL.
void UseRichEdit10ForTesting(bool use);
// Called with every editor control made from now on (nullptr: none), so that
// a test can watch or limit the control that a new document goes into.
void SetEditorCreatedHookForTesting(void (*hook)(HWND editor));

// --- Searching.
// The first hit of text at or after from (EM_FINDTEXT with the FR_* flags;
// they always include FR_DOWN), or -1.
long FindInEditor(HWND editor, long from, const std::string& text, unsigned flags);

// --- How the editor shows the text. Neither is an edit; each makes the
// control lay the whole document out again.
// Lines wrap at the editor's right edge, or break only at their line ends.
void SetWordWrap(HWND editor, bool wrap);
// Every character, and the text typed or loaded from now on, in font's face,
// size, weight and slant, and in colour (a fixed colour). No undo step is
// recorded and the modified flag stays as it was.
void SetTextFontAndColour(HWND editor, HFONT font, COLORREF colour);

}  // namespace quillet
