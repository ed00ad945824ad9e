#include "platform/editor_text_win.h"

#include <richedit.h>

#include <cstring>
#include <vector>

#include "platform/code_page_win.h"
#include "platform/text_document_win.h"

namespace quillet {
namespace {


LRESULT Send(HWND editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(editor, message, wParam, lParam);
}

// The text with every line break (CR LF, CR or LF) as CR LF, the 1.0
// control's own break.
std::string WithCrLfBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += "\r\n";
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return out;
}

// The caret figures for a position, its line found by counting from the top.
CaretPosition CountFromTop(HWND editor, long position, long lineCount) {
    const long line = static_cast<long>(Send(editor, EM_LINEFROMCHAR, position));
    const long lineStart = static_cast<long>(Send(editor, EM_LINEINDEX, line));
    return {position - lineStart, line, lineCount};
}

}  // namespace

bool IsRichEdit10(HWND editor) {
    char className[16] = {};
    ::GetClassNameA(editor, className, sizeof className);
    return ::lstrcmpiA(className, "RichEdit") == 0;
}

std::string WithEditorBreaks(HWND editor, const std::string& text) {
    return IsRichEdit10(editor) ? WithCrLfBreaks(text) : text;
}

Selection GetSelection(HWND editor) {
    CHARRANGE range{};
    Send(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return {range.cpMin, range.cpMax};
}

void SetSelection(HWND editor, long start, long end) { Send(editor, EM_SETSEL, start, end); }

bool IsModified(HWND editor) { return Send(editor, EM_GETMODIFY) != 0; }

void SetModified(HWND editor, bool modified) { Send(editor, EM_SETMODIFY, modified ? TRUE : FALSE); }

void ReplaceSelection(HWND editor, const std::string& text) {
    const std::string inEditor = WithEditorBreaks(editor, text);
    Send(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(inEditor.c_str()));
}

void PastePlainText(HWND editor) {
    std::string text;
    if (!::OpenClipboard(editor)) return;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const auto* locked = static_cast<const char*>(::GlobalLock(data))) {
            // Up to the first zero, and never past the memory block's end.
            const SIZE_T size = ::GlobalSize(data);
            text.assign(locked, strnlen(locked, size));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    if (!text.empty()) ReplaceSelection(editor, text);
}

void SelectAllText(HWND editor) { SetSelection(editor, 0, TextLength(editor)); }

std::string TextRange(HWND editor, long start, long end) {
    if (end <= start) return {};
    // The control writes the range in the ANSI code page, where a character
    // may take more than one byte.
    CPINFO codePage{};
    const std::size_t bytesPerChar = ::GetCPInfo(CP_ACP, &codePage) && codePage.MaxCharSize > 1
                                         ? codePage.MaxCharSize
                                         : 1;
    std::vector<char> buffer(static_cast<std::size_t>(end - start) * bytesPerChar + 1, '\0');
    TEXTRANGEA range{{start, end}, buffer.data()};
    const auto copied = static_cast<std::size_t>(Send(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    return std::string(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
}

std::wstring TextRangeW(HWND editor, long start, long end) {
    if (end <= start) return {};
    // The 1.0 control holds ANSI text; the 2.0 control is asked through its
    // text object model, which reads a range without touching the selection.
    if (IsRichEdit10(editor)) return FromCodePage(TextRange(editor, start, end));
    return TextDocument(editor).Text(start, end);
}

long TextLength(HWND editor) {
    // Counted as the selection counts: a line break as one character in 2.0,
    // where the control keeps this figure, so it costs nothing to ask; as
    // two in 1.0, which has no EM_GETTEXTLENGTHEX.
    if (IsRichEdit10(editor)) return static_cast<long>(Send(editor, WM_GETTEXTLENGTH));
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<long>(Send(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
}

EditorState ObserveEditor(HWND editor) {
    EditorState state{};
    const Selection selection = GetSelection(editor);
    state.selectionStart = selection.start;
    state.selectionEnd = selection.end;
    state.textLength = TextLength(editor);
    state.lineCount = static_cast<long>(Send(editor, EM_GETLINECOUNT));
    RECT client{};
    ::GetClientRect(editor, &client);
    state.width = client.right - client.left;
    return state;
}

CaretPosition GetCaretPosition(HWND editor, const EditorState& state) {
    const long count = state.lineCount;
    // Finding a line by character position counts lines from the top, which
    // on a large document costs milliseconds. At the very end of the text the
    // caret is on the last line, and the control finds the start of the
    // caret's line directly. A single-line document needs no counting either.
    const bool onLastLine =
        state.selectionStart == state.selectionEnd && (count == 1 || state.selectionStart == state.textLength);
    if (onLastLine) {
        const long lineStart = static_cast<long>(Send(editor, EM_LINEINDEX, static_cast<WPARAM>(-1)));
        return {state.selectionStart - lineStart, count - 1, count};
    }
    return CountFromTop(editor, state.selectionStart, count);
}


long LineStartOf(HWND editor, long position) {
    // Read back from position in growing pieces until a break turns up: the
    // control's own line figures count wrapped display lines. Read as the
    // control holds the text, so that an offset into a piece is a character
    // position (in the ANSI code page a character may take two bytes, and a
    // character it lacks becomes one "?" for two positions).
    const bool ansi = IsRichEdit10(editor);
    long end = position;
    long piece = 4096;
    while (end > 0) {
        const long start = end > piece ? end - piece : 0;
        const std::size_t lastBreak = ansi ? TextRange(editor, start, end).find_last_of("\r\n")
                                           : TextRangeW(editor, start, end).find_last_of(L"\r\n");
        if (lastBreak != std::string::npos) return start + static_cast<long>(lastBreak) + 1;
        end = start;
        if (piece < (1L << 20)) piece *= 2;
    }
    return 0;
}

long FindInEditor(HWND editor, long from, const std::string& text, unsigned flags) {
    FINDTEXTA request{{from, -1}, text.c_str()};
    return static_cast<long>(Send(editor, EM_FINDTEXT, flags, reinterpret_cast<LPARAM>(&request)));
}

}  // namespace quillet
