#include "editing/replace_all_win.h"

#include <new>
#include <utility>

#include "platform/code_page_win.h"
#include "platform/editor_change_note.h"
#include "platform/editor_control_win.h"
#include "platform/editor_span_edit_win.h"
#include "platform/editor_stream_out_win.h"
#include "platform/editor_text_win.h"
#include "platform/kept_undo_win.h"
#include "platform/modal_win.h"
#include "platform/wait_cursor_win.h"

namespace quillet {
namespace {

constexpr char kCaption[] = "Find/Replace";

wchar_t AsciiCaseless(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - (L'a' - L'A')) : c; }

bool LetterOrDigit(wchar_t c) {
    WORD type = 0;
    return ::GetStringTypeW(CT_CTYPE1, &c, 1, &type) && (type & (C1_ALPHA | C1_DIGIT)) != 0;
}

void Tell(const std::string& what) { ShowMessage(what, kCaption, MB_OK | MB_ICONWARNING); }

constexpr char kNotWhole[] = "Replace all needs more memory than there is, and the editor could not take the document "
                             "back whole either: it holds part of it.";

enum class Outcome { Replaced, LeftAsItWas, PartLost };

// The changed span as one undoable edit. Where the control takes only part
// of it, its undo step puts the span back.
Outcome EditInPlace(HWND editor, const std::wstring& before, const ReplaceAllResult& after) {
    const std::wstring span = after.text.substr(after.head, after.text.size() - after.head - after.tail);
    SetSelection(editor, static_cast<long>(after.head), static_cast<long>(before.size() - after.tail));
    if (StreamOverSelection(editor, span)) return Outcome::Replaced;
    ::SendMessageA(editor, EM_UNDO, 0, 0);
    std::wstring now;
    return ReadEditorTextW(editor, now) && now == before ? Outcome::LeftAsItWas : Outcome::PartLost;
}

// The whole text into a fresh control, the text from before kept for Undo.
// Where the control cannot take it all, the text from before goes back in.
Outcome Reload(HWND& editor, std::wstring&& before, const ReplaceAllResult& after) {
    KeptText kept{std::move(before), GetLineMark(editor), GetSelection(editor)};
    const bool modified = IsModified(editor);
    editor = RecreateEditor(editor);
    if (LoadEditorTextW(editor, after.text, kept.mark)) {
        KeepUndoStep(editor, std::move(kept), after.text);
        return Outcome::Replaced;
    }
    editor = RecreateEditor(editor);
    const bool whole = LoadEditorTextW(editor, kept.text, kept.mark);
    SetModified(editor, modified || !whole);
    SetSelection(editor, kept.selection.start, kept.selection.end);
    return whole ? Outcome::LeftAsItWas : Outcome::PartLost;
}

}  // namespace

SearchRules EditorSearchRules(unsigned flags) { return {flags, AsciiCaseless, LetterOrDigit}; }

void ReplaceAllInEditor(HWND& editor, const ReplaceAllStart& start, const ReplaceAllRequest& request) {
    const WaitCursor wait;
    Outcome outcome = Outcome::LeftAsItWas;
    try {
        std::wstring before;
        if (ReadEditorTextW(editor, before)) {
            const ReplaceAllTexts texts{FromCodePage(request.find), InsertedForm(editor, request.replace),
                                        static_cast<std::size_t>(request.replaceLength),
                                        EditorSearchRules(request.flags)};
            const ReplaceAllResult after = ReplaceAll(before, start, texts);
            if (!after.replaced) return;
            outcome = FitsInPlace(before, after, request.inPlaceLineSteps) ? EditInPlace(editor, before, after)
                                                                          : Reload(editor, std::move(before), after);
            if (outcome == Outcome::Replaced) {
                SetSelection(editor, after.caret, after.caret);
                SetModified(editor, true);
            }
        }
    } catch (const std::bad_alloc&) {
        // Thrown only before the editor is touched: the edits above take no memory of their own.
    }
    NoteEditorChanged();
    if (outcome == Outcome::LeftAsItWas) Tell("Replace all needs more memory than there is. Nothing was replaced.");
    if (outcome == Outcome::PartLost) Tell(kNotWhole);
}

bool UndoReplaceAll(HWND& editor) {
    std::optional<KeptText> kept = TakeKeptUndoStep(editor);
    if (!kept) return false;
    const WaitCursor wait;
    editor = RecreateEditor(editor);
    const bool whole = LoadEditorTextW(editor, kept->text, kept->mark);
    SetModified(editor, true);
    SetSelection(editor, kept->selection.start, kept->selection.end);
    NoteEditorChanged();
    if (!whole) Tell("The editor could not take the text from before Replace all back whole: it holds part of it.");
    return true;
}

}  // namespace quillet
