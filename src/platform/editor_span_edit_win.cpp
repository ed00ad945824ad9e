#include "platform/editor_span_edit_win.h"

#include <richedit.h>

#include "platform/code_page_win.h"
#include "platform/editor_control_win.h"
#include "platform/editor_stream_out_win.h"
#include "platform/editor_text_win.h"

namespace quillet {

bool StreamOverSelection(HWND editor, const std::wstring& text) {
    // The 1.0 control streams ANSI text only; it holds nothing else.
    if (IsRichEdit10(editor)) return StreamTextIn(editor, SFF_SELECTION, ToCodePage(text));
    return StreamTextIn(editor, SFF_SELECTION, text);
}

std::wstring InsertedForm(HWND editor, const std::string& text) {
    if (text.empty()) return {};
    char className[32] = {};
    ::GetClassNameA(editor, className, sizeof className);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(editor, GWL_STYLE)) & ~(WS_CHILD | WS_VISIBLE);
    HWND scratch = ::CreateWindowExA(0, className, "", style | WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    // Without one (the system is out of windows), the same text with the
    // line breaks the 1.0 control is given, unconverted.
    if (!scratch) return FromCodePage(WithEditorBreaks(editor, text));
    ::SendMessageA(scratch, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    ReplaceSelection(scratch, text);
    std::wstring inserted;
    ReadEditorTextW(scratch, inserted);
    ::DestroyWindow(scratch);
    return inserted;
}

}  // namespace quillet
