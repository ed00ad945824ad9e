#include "platform/editor_span_edit_win.h"

#include <richedit.h>

#include <cstring>

#include "platform/code_page_win.h"
#include "platform/editor_text_win.h"

namespace quillet {
namespace {

struct Source {
    const char* data;
    std::size_t size;  // bytes
    std::size_t unit;  // bytes a character
    std::size_t offset;
};

// Whole characters, and never a CR LF pair split between two reads: the
// control would make two line breaks of it.
DWORD CALLBACK ReadSource(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<Source*>(cookie);
    const std::size_t left = source->size - source->offset;
    std::size_t count = left < static_cast<std::size_t>(size) ? left : static_cast<std::size_t>(size);
    count -= count % source->unit;
    auto at = [&](std::size_t i) {
        wchar_t c = 0;
        std::memcpy(&c, source->data + source->offset + i, source->unit);
        return c;
    };
    if (count > source->unit && count < left && at(count - source->unit) == L'\r' && at(count) == L'\n') {
        count -= source->unit;
    }
    std::memcpy(buffer, source->data + source->offset, count);
    source->offset += count;
    *done = static_cast<LONG>(count);
    return 0;
}

}  // namespace

bool StreamOverSelection(HWND editor, const std::wstring& text) {
    // The 1.0 control streams ANSI text only; it holds nothing else.
    const bool ansi = IsRichEdit10(editor);
    const std::string bytes = ansi ? ToCodePage(text) : std::string();
    Source source{ansi ? bytes.data() : reinterpret_cast<const char*>(text.data()),
                  ansi ? bytes.size() : text.size() * sizeof(wchar_t), ansi ? 1u : sizeof(wchar_t), 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadSource};
    const WPARAM format = SF_TEXT | SFF_SELECTION | (ansi ? 0 : SF_UNICODE);
    ::SendMessageA(editor, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0 && source.offset == source.size;
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
