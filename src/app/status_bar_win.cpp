#include "app/status_bar_win.h"

#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "app/status_text.h"
#include "platform/editor_change_note.h"
#include "platform/editor_text_win.h"

namespace quillet {
namespace {

struct ShownState {
    bool known = false;
    HWND editor = nullptr;
    EditorState editorState{};
};

ShownState& Shown() {
    static ShownState shown;
    return shown;
}

bool StillCurrent(const ShownState& shown, HWND editor, const EditorState& now) {
    return shown.known && shown.editor == editor && shown.editorState == now;
}

}  // namespace

void RefreshStatusBar(const MainWindow& main) {
    if (!main.statusBar || !main.editor) return;
    ShownState& shown = Shown();
    const EditorState now = ObserveEditor(main.editor);
    const bool changed = TakeEditorChangedNote();
    if (!changed && StillCurrent(shown, main.editor, now)) return;

    const CaretPosition caret = GetCaretPosition(main.editor, now);
    shown = {true, main.editor, now};
    const std::string text = StatusText(caret.column, caret.line, caret.lineCount);
    // Setting the same text again would only repaint, and each repaint is one
    // more message through here.
    char current[64] = {};
    ::SendMessageA(main.statusBar, WM_GETTEXT, sizeof current, reinterpret_cast<LPARAM>(current));
    if (text != current) ::SendMessageA(main.statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void EnableChangeNotices(HWND editor) {
    const LRESULT mask = ::SendMessageA(editor, EM_GETEVENTMASK, 0, 0);
    ::SendMessageA(editor, EM_SETEVENTMASK, 0, mask | ENM_CHANGE);
}

}  // namespace quillet
