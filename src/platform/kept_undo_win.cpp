#include "platform/kept_undo_win.h"

#include <richedit.h>

#include <cstdint>
#include <utility>

#include "platform/editor_stream_out_win.h"

namespace quillet {
namespace {

// The text a change left, by its length and a 64-bit hash, so that only
// the text before the change is held (two bytes a character).
struct KeptStep {
    HWND editor = nullptr;
    KeptText before;
    std::size_t afterLength = 0;
    std::uint64_t afterHash = 0;
};

KeptStep& Kept() {
    static KeptStep kept;
    return kept;
}

std::uint64_t HashOf(const std::wstring& text) {
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
    for (const wchar_t c : text) {
        hash ^= static_cast<std::uint64_t>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

bool Applies(HWND editor) {
    const KeptStep& kept = Kept();
    if (!editor || kept.editor != editor) return false;
    if (::SendMessageA(editor, EM_CANUNDO, 0, 0)) return false;
    std::wstring now;
    return ReadEditorTextW(editor, now) && now.size() == kept.afterLength && HashOf(now) == kept.afterHash;
}

}  // namespace

void KeepUndoStep(HWND editor, KeptText before, const std::wstring& after) {
    KeptStep& kept = Kept();
    kept.editor = editor;
    kept.before = std::move(before);
    kept.afterLength = after.size();
    kept.afterHash = HashOf(after);
}

std::optional<KeptText> TakeKeptUndoStep(HWND editor) {
    if (!Applies(editor)) return std::nullopt;
    KeptStep& kept = Kept();
    std::optional<KeptText> taken(std::move(kept.before));
    kept = KeptStep{};
    return taken;
}

void ForgetKeptUndoStep(HWND editor) {
    if (Kept().editor == editor) Kept() = KeptStep{};
}

bool AskParentForKeptUndo(HWND editor) {
    // Whether the step still applies is the parent's to find out: that
    // reads the whole text, once.
    if (!editor || Kept().editor != editor) return false;
    ::SendMessageA(::GetParent(editor), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(editor), kKeptUndoNotice),
                   reinterpret_cast<LPARAM>(editor));
    return true;
}

}  // namespace quillet
