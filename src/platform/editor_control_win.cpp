#include "platform/editor_control_win.h"

#include <richedit.h>

#include <climits>
#include <cstring>
#include <new>
#include <string_view>

#include "platform/code_page_win.h"
#include "platform/editor_text_win.h"
#include "platform/editor_view_win.h"
#include "platform/kept_undo_win.h"
#include "platform/system_calls_win.h"
#include "platform/window_parts_win.h"

namespace quillet {
namespace {

constexpr char kLineMarkProperty[] = "Quillet.LineMark";
// The undo steps every editor keeps.
constexpr LPARAM kEditorUndoLimit = 100;

LRESULT Send(HWND editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(editor, message, wParam, lParam);
}

// Text handed to EM_STREAMIN from a string of either width, whole
// characters at a time.
template <typename Char>
struct StreamSource {
    std::basic_string_view<Char> text;
    std::size_t offset;
};

template <typename Char>
DWORD CALLBACK ReadFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<StreamSource<Char>*>(cookie);
    const std::basic_string_view<Char> text = source->text;
    const std::size_t left = text.size() - source->offset;
    const std::size_t room = static_cast<std::size_t>(size) / sizeof(Char);
    std::size_t count = left < room ? left : room;
    // A CR LF pair split between two reads would become two line breaks.
    if (count > 1 && count < left && text[source->offset + count - 1] == Char('\r') &&
        text[source->offset + count] == Char('\n')) {
        --count;
    }
    memcpy(buffer, text.data() + source->offset, count * sizeof(Char));
    source->offset += count;
    *done = static_cast<LONG>(count * sizeof(Char));
    return 0;
}

template <typename Char>
bool StreamIn(HWND editor, WPARAM format, std::basic_string_view<Char> text) {
    StreamSource<Char> source{text, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadFromString<Char>};
    Send(editor, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0 && source.offset == text.size();
}

// Keeps the control from repainting and recording undo steps during a bulk
// change, and puts both back afterwards.
class BulkChange {
public:
    explicit BulkChange(HWND editor) : editor_(editor) {
        Send(editor_, WM_SETREDRAW, FALSE);
        Send(editor_, EM_SETUNDOLIMIT, 0);
    }
    ~BulkChange() {
        Send(editor_, EM_SETUNDOLIMIT, kEditorUndoLimit);
        Send(editor_, WM_SETREDRAW, TRUE);
        ::InvalidateRect(editor_, nullptr, TRUE);
    }
    BulkChange(const BulkChange&) = delete;
    BulkChange& operator=(const BulkChange&) = delete;

private:
    HWND editor_;
};

// What every load leaves: the mark where the whole text went in, and the
// document unmodified (the control counts a stream-in as a change).
bool FinishLoad(HWND editor, bool complete, LineMark mark) {
    SetLineMark(editor, complete ? mark : LineMark::None);
    SetModified(editor, false);
    return complete;
}

constexpr char kControlProcedure[] = "Quillet.ControlProcedure";

bool KeyDown(int key) { return ::GetKeyState(key) < 0; }

// Ctrl+V and Shift+Insert, the control's own paste keys (Ctrl+V only gets
// here where the main window's shortcut does not take it).
bool IsPasteKey(WPARAM key) {
    return (key == 'V' && KeyDown(VK_CONTROL)) || (key == VK_INSERT && KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL));
}

enum class Step { None, Undo, Redo };

Step StepOfKey(UINT message, WPARAM key) {
    if (message == WM_SYSKEYDOWN) return key == VK_BACK ? Step::Undo : Step::None;  // Alt+Backspace
    if (!KeyDown(VK_CONTROL) || KeyDown(VK_MENU)) return Step::None;
    if (key == 'Z') return Step::Undo;
    return key == 'Y' ? Step::Redo : Step::None;
}

Step StepOfMessage(UINT message) {
    if (message == WM_UNDO || message == EM_UNDO) return Step::Undo;
    return message == EM_REDO ? Step::Redo : Step::None;
}

// What every editor does on top of the control: it takes pasted text as
// plain ANSI text only, an Undo or Redo that takes a step marks the
// document modified (the control may restore the flag it had then, and a
// document saved since would look unchanged), and an Undo the control has
// nothing for goes to the step the program keeps, if any.
LRESULT CALLBACK EditorProcedure(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto control = reinterpret_cast<WNDPROC>(::GetPropA(editor, kControlProcedure));
    if (!control) return ::DefWindowProcA(editor, message, wParam, lParam);
    const bool key = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (message == WM_PASTE || message == EM_PASTESPECIAL || (message == WM_KEYDOWN && IsPasteKey(wParam))) {
        PastePlainText(editor);
        return 0;
    }
    const Step step = key ? StepOfKey(message, wParam) : StepOfMessage(message);
    if (step == Step::None) {
        if (message == WM_NCDESTROY) {
            ForgetKeptUndoStep(editor);
            ::SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control));
            ::RemovePropA(editor, kControlProcedure);
        }
        return ::CallWindowProcA(control, editor, message, wParam, lParam);
    }
    const bool takes = ::CallWindowProcA(control, editor, step == Step::Undo ? EM_CANUNDO : EM_CANREDO, 0, 0) != 0;
    if (step == Step::Undo && !takes && AskParentForKeptUndo(editor)) return 0;
    const LRESULT result = ::CallWindowProcA(control, editor, message, wParam, lParam);
    if (takes) ::CallWindowProcA(control, editor, EM_SETMODIFY, TRUE, 0);
    return result;
}

// A new, empty editor control, set up as the program wants every editor.
HWND MakeEditor(const char* className, DWORD exStyle, DWORD style, const RECT& place, HWND parent,
                int controlId) {
    HWND editor = ::CreateWindowExA(exStyle, className, "", style, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                    ProgramInstance(), nullptr);
    if (!editor) return nullptr;
    // No practical limit on the document's size.
    Send(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    Send(editor, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    Send(editor, EM_SETUNDOLIMIT, kEditorUndoLimit);
    SetLineMark(editor, LineMark::None);
    ::SetPropA(editor, kControlProcedure, reinterpret_cast<HANDLE>(::GetWindowLongPtrA(editor, GWLP_WNDPROC)));
    ::SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProcedure));
    if (auto created = SystemCallsInUse().editorCreated) created(editor);
    return editor;
}

}  // namespace

HWND CreateEditor(HWND parent, int controlId, int x, int y, int width, int height) {
    // The control's library stays loaded for the life of the process.
    const char* className = "RichEdit20A";
    if (!SystemCallsInUse().loadRichEdit20()) {
        if (!::LoadLibraryA("RICHED32.DLL")) return nullptr;
        className = "RichEdit";
    }
    return MakeEditor(className, WS_EX_CLIENTEDGE, kEditorStyle, RECT{x, y, x + width, y + height}, parent,
                      controlId);
}

HWND RecreateEditor(HWND editor) {
    HWND parent = ::GetParent(editor);
    RECT place{};
    ::GetWindowRect(editor, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    char className[32] = {};
    ::GetClassNameA(editor, className, sizeof className);
    HWND fresh = MakeEditor(className, static_cast<DWORD>(::GetWindowLongPtrA(editor, GWL_EXSTYLE)),
                            static_cast<DWORD>(::GetWindowLongPtrA(editor, GWL_STYLE)), place, parent,
                            ::GetDlgCtrlID(editor));
    if (!fresh) {
        ClearEditor(editor);
        return editor;
    }
    // What the program set on the old control: its notices, link detection,
    // line width and the format of new text (the font Set Font chose).
    Send(fresh, EM_SETEVENTMASK, 0, Send(editor, EM_GETEVENTMASK));
    if (!IsRichEdit10(editor)) Send(fresh, EM_AUTOURLDETECT, Send(editor, EM_GETAUTOURLDETECT));
    SetWordWrap(fresh, IsWordWrapped(editor));
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    Send(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    Send(fresh, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    // Setting the format is no change to the (empty) document.
    Send(fresh, EM_EMPTYUNDOBUFFER);
    SetModified(fresh, false);
    // The same place among its siblings, and so in the tab order.
    ::SetWindowPos(fresh, editor, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const bool focused = ::GetFocus() == editor;
    ::RemovePropA(editor, kLineMarkProperty);
    ForgetWordWrap(editor);
    ::DestroyWindow(editor);
    if (focused) ::SetFocus(fresh);
    return fresh;
}

void EnableLinkNotices(HWND editor) {
    const LRESULT mask = Send(editor, EM_GETEVENTMASK);
    Send(editor, EM_SETEVENTMASK, 0, mask | ENM_LINK);
    Send(editor, EM_AUTOURLDETECT, TRUE);
}

void ClearEditor(HWND editor) {
    ::SetWindowTextA(editor, "");
    Send(editor, EM_EMPTYUNDOBUFFER);
    SetModified(editor, false);
    SetLineMark(editor, LineMark::None);
}

void SetLineMark(HWND editor, LineMark mark) {
    ::SetPropA(editor, kLineMarkProperty,
               reinterpret_cast<HANDLE>(static_cast<INT_PTR>(static_cast<int>(mark) + 1)));
}

LineMark GetLineMark(HWND editor) {
    const auto stored = reinterpret_cast<INT_PTR>(::GetPropA(editor, kLineMarkProperty));
    return stored == 0 ? LineMark::None : static_cast<LineMark>(stored - 1);
}

long LineCount(HWND editor) {
    if (TextLength(editor) == 0 && GetLineMark(editor) == LineMark::None) return 0;
    return static_cast<long>(Send(editor, EM_GETLINECOUNT));
}

bool StreamTextIn(HWND editor, WPARAM options, std::string_view text) {
    return StreamIn(editor, SF_TEXT | options, text);
}

bool StreamTextIn(HWND editor, WPARAM options, std::wstring_view text) {
    return StreamIn(editor, SF_TEXT | SF_UNICODE | options, text);
}

bool LoadEditorText(HWND editor, const std::string& crText, LineMark mark) {
    bool complete = false;
    try {
        BulkChange bulk(editor);
        complete = IsRichEdit10(editor) ? StreamTextIn(editor, 0, WithEditorBreaks(editor, crText))
                                        : StreamTextIn(editor, 0, crText);
    } catch (const std::bad_alloc&) {
        // No memory for the 1.0 control's copy: nothing went in.
    }
    return FinishLoad(editor, complete, mark);
}

bool LoadEditorTextW(HWND editor, const std::wstring& crText, LineMark mark) {
    if (IsRichEdit10(editor)) {
        std::string ansi;
        try {
            ansi = ToCodePage(crText);
        } catch (const std::bad_alloc&) {
            return FinishLoad(editor, false, mark);
        }
        return LoadEditorText(editor, ansi, mark);
    }
    bool complete = false;
    {
        BulkChange bulk(editor);
        complete = StreamTextIn(editor, 0, crText);
    }
    return FinishLoad(editor, complete, mark);
}

}  // namespace quillet
