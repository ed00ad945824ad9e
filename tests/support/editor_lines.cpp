#include "support/editor_lines.h"

#include <richedit.h>

#include <climits>

#include "platform/editor_control_win.h"

namespace quillet::test {
namespace {

LRESULT Send(HWND editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(editor, message, wParam, lParam);
}

const char* LineBreak(HWND editor) { return IsRichEdit10(editor) ? "\r\n" : "\n"; }

void Replace(HWND editor, const std::string& text) {
    Send(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

void AddLine(HWND editor, std::string_view text, long index) {
    Send(editor, EM_HIDESELECTION, TRUE);
    const long lineStart = index < 0 ? -1 : static_cast<long>(Send(editor, EM_LINEINDEX, index));
    if (lineStart < 0) {
        const bool hadText = TextLength(editor) > 0;
        Send(editor, EM_SETSEL, INT_MAX, INT_MAX);  // positions past the end are clamped to it
        LineMark mark = GetLineMark(editor);
        if (mark == LineMark::Pending) {
            Replace(editor, LineBreak(editor));
            mark = LineMark::Done;
        }
        if (hadText) {
            Replace(editor, LineBreak(editor) + std::string(text));
        } else {
            Replace(editor, std::string(text));
            if (text.empty() && mark == LineMark::None) mark = LineMark::Pending;
        }
        SetLineMark(editor, mark);
    } else {
        Send(editor, EM_SETSEL, lineStart, lineStart);
        Replace(editor, std::string(text) + LineBreak(editor));
    }
    Send(editor, EM_HIDESELECTION, FALSE);
}

std::string LineText(HWND editor, long line) {
    const long start = static_cast<long>(Send(editor, EM_LINEINDEX, line));
    if (start < 0) return {};
    const long length = static_cast<long>(Send(editor, EM_LINELENGTH, start));
    // Read by range rather than EM_GETLINE, whose 16-bit size word would cut
    // long lines short.
    std::string text = TextRange(editor, start, start + length);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}

CaretPosition CaretPositionNow(HWND editor) { return GetCaretPosition(editor, ObserveEditor(editor)); }

CaretPosition CountCaretPosition(HWND editor) {
    const long position = GetSelection(editor).start;
    const long lineCount = static_cast<long>(Send(editor, EM_GETLINECOUNT));
    const long line = static_cast<long>(Send(editor, EM_LINEFROMCHAR, position));
    const long lineStart = static_cast<long>(Send(editor, EM_LINEINDEX, line));
    return {position - lineStart, line, lineCount};
}

}  // namespace quillet::test
