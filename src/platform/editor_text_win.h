// The editor's text, selection and search: what the document commands read
// from the control and write into it.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// The RichEdit 1.0 control (class "RichEdit", the fallback) keeps a line
// break as CR LF, two character positions, and lacks the 2.0 messages
// EM_GETTEXTLENGTHEX and EM_SETUNDOLIMIT.
bool IsRichEdit10(HWND editor);

// The text with every line break (CR LF, CR or LF) as the editor keeps it:
// CR LF in 1.0, unchanged in 2.0, which takes any of them.
std::string WithEditorBreaks(HWND editor, const std::string& text);

struct Selection {
    long start;
    long end;
};
Selection GetSelection(HWND editor);
void SetSelection(HWND editor, long start, long end);
bool IsModified(HWND editor);
void SetModified(HWND editor, bool modified);
void ReplaceSelection(HWND editor, const std::string& text);  // undoable

// Pastes the clipboard's text over the selection as plain text in the ANSI
// code page (the system converts Unicode text for the clipboard's CF_TEXT),
// as one undoable replacement: the editor shows at once what a save writes,
// and no formatting, picture or object comes in. Nothing without text.
void PastePlainText(HWND editor);

// Selects the whole text, not the control's closing paragraph mark.
void SelectAllText(HWND editor);
// The characters from start to end, in the ANSI code page (those it lacks
// as "?") or as the control holds them.
std::string TextRange(HWND editor, long start, long end);
std::wstring TextRangeW(HWND editor, long start, long end);
// Characters, a line break counted as the selection counts it.
long TextLength(HWND editor);

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

// The figures for the editor in the state just observed.
CaretPosition GetCaretPosition(HWND editor, const EditorState& state);

// --- Lines between breaks, whatever the word-wrap setting.
// Where the line that holds position begins: just after the nearest line
// break before position, or 0.
long LineStartOf(HWND editor, long position);

// --- Searching.
// The first hit of text at or after from (EM_FINDTEXT with the FR_* flags;
// they always include FR_DOWN), or -1.
long FindInEditor(HWND editor, long from, const std::string& text, unsigned flags);

}  // namespace quillet
