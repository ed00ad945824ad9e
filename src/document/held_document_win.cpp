#include "document/held_document_win.h"

#include "document/temporary_file_win.h"
#include "document/text_transfer.h"
#include "platform/code_page_win.h"
#include "platform/editor_control_win.h"
#include "platform/editor_stream_out_win.h"

namespace quillet {
namespace {

// Characters taken from the held text at a time, on the stack.
constexpr std::size_t kPiece = 1024;

struct Aside {
    const HeldDocument* held;
    bool inCodePage;  // else UTF-16 after its byte-order mark
};

// The held text with each CR as CR LF, in pieces, then CR LF after the last
// line as the file writer ends a document.
bool PassAside(const void* source, PieceSink sink, void* context) {
    const auto* aside = static_cast<const Aside*>(source);
    const std::wstring& text = aside->held->crText;
    CodePageWriter writer(sink, context);
    const auto handOn = [&](const wchar_t* wide, std::size_t count) {
        const auto* bytes = reinterpret_cast<const char*>(wide);
        return aside->inCodePage ? writer.Feed(bytes, count * sizeof(wchar_t))
                                 : sink(context, bytes, count * sizeof(wchar_t));
    };
    if (!aside->inCodePage && !handOn(L"\xFEFF", 1)) return false;
    wchar_t wide[2 * kPiece];
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.size() - at > kPiece ? at + kPiece : text.size();
        std::size_t count = 0;
        for (; at < end; ++at) {
            wide[count++] = text[at];
            if (text[at] == L'\r') wide[count++] = L'\n';
        }
        if (!handOn(wide, count)) return false;
    }
    const bool hasLines = !text.empty() || aside->held->mark != LineMark::None;
    if (hasLines && !handOn(L"\r\n", 2)) return false;
    return !aside->inCodePage || writer.Finish();
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
    const bool whole = LoadEditorTextW(editor, held.crText, held.mark);
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
