#include "document/held_document_win.h"

#include <new>

#include "document/temporary_file_win.h"
#include "document/text_transfer.h"
#include "platform/code_page_win.h"
#include "platform/editor_control_win.h"

namespace quillet {
namespace {

// Characters converted at a time, on the stack.
constexpr std::size_t kPiece = 1024;

struct Aside {
    const HeldDocument* held;
    bool inCodePage;  // else UTF-16
};

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

bool HandOnWide(PieceSink sink, void* context, const wchar_t* text, std::size_t count) {
    return sink(context, reinterpret_cast<const char*>(text), count * sizeof(wchar_t));
}

// The held text with each CR as CR LF, in pieces.
bool PassAside(const void* source, PieceSink sink, void* context) {
    const auto* aside = static_cast<const Aside*>(source);
    const std::wstring& text = aside->held->crText;
    if (!aside->inCodePage && !HandOnWide(sink, context, L"\xFEFF", 1)) return false;
    wchar_t wide[2 * kPiece];
    char bytes[sizeof wide * 2];  // room for three bytes a character
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.size() - at > kPiece ? at + kPiece : text.size();
        if (end < text.size() && IsHighSurrogate(text[end - 1])) --end;
        std::size_t count = 0;
        for (; at < end; ++at) {
            wide[count++] = text[at];
            if (text[at] == L'\r') wide[count++] = L'\n';
        }
        if (!aside->inCodePage) {
            if (!HandOnWide(sink, context, wide, count)) return false;
            continue;
        }
        const std::size_t converted = ToCodePage(wide, count, bytes, sizeof bytes, false);
        if (converted == 0 || !sink(context, bytes, converted)) return false;
    }
    const bool hasLines = !text.empty() || aside->held->mark != LineMark::None;
    if (!hasLines) return true;
    if (!aside->inCodePage) return HandOnWide(sink, context, L"\r\n", 2);
    const std::string_view end = FileEndAfterStreamedText(hasLines);
    return sink(context, end.data(), end.size());
}

}  // namespace

bool Hold(HWND editor, HeldDocument& held) {
    held.mark = GetLineMark(editor);
    held.modified = IsModified(editor);
    held.selection = GetSelection(editor);
    std::wstring streamed;
    if (!SaveEditorTextW(editor, streamed)) return false;
    held.crText = CrTextFromStreamedText(std::move(streamed));  // in place: no second copy
    return true;
}

bool PutBack(HWND editor, const HeldDocument& held) {
    bool whole = false;
    try {
        whole = LoadEditorTextW(editor, held.crText, held.mark);
    } catch (const std::bad_alloc&) {
        // (Only the 1.0 control asks for memory here, for a copy in its code page.)
    }
    SetModified(editor, held.modified || !whole);
    SetSelection(editor, held.selection.start, held.selection.end);
    return whole;
}

bool SaveAside(const HeldDocument& held, char (&name)[MAX_PATH], DWORD& error) {
    CodePageFit fit;
    fit.Feed(held.crText.data(), held.crText.size());
    const Aside aside{&held, fit.Fits()};
    return SaveInTemporaryFile({PassAside, &aside}, name, error);
}

}  // namespace quillet
