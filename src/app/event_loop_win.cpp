#include "app/event_loop_win.h"

#include "app/command_handlers_win.h"
#include "app/program_end_win.h"
#include "app/settings_win.h"
#include "app/status_bar_win.h"
#include "platform/editor_control_win.h"
#include "ui/dropped_files_win.h"

namespace quillet {
namespace {

CommandContext ContextOf(const MainWindow& main) {
    return {main.window, main.editor, SettingsFilePath()};
}

bool IsImageButton(const MainWindow& main, HWND control, int id) {
    return id >= 0 && id <= kMaxButtonId && control && main.buttons[id] == control;
}

void OnCommand(const MainWindow& main, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control) {
        DispatchMenuEvent(ContextOf(main), id);  // menu item or shortcut
    } else if (control == main.editor) {
        if (HIWORD(wParam) == EN_CHANGE) NoteEditorChanged();
    } else if (HIWORD(wParam) == BN_CLICKED && IsImageButton(main, control, id)) {
        DispatchButtonEvent(ContextOf(main), id);
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MainWindow& main = TheMainWindow();
    if (window != main.window) return ::DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        OnCommand(main, wParam, lParam);
        return 0;
    case WM_SIZE:
        // The status bar keeps itself at the bottom when told of the resize.
        if (main.statusBar) ::SendMessageA(main.statusBar, WM_SIZE, wParam, lParam);
        if (wParam != SIZE_MINIMIZED && main.editor) LayoutMainWindow(main);
        return 0;
    case WM_CLOSE:
        RunCloseSequence(ContextOf(main));
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

void HandleQueuedMessage(MSG& message) {
    const MainWindow& main = TheMainWindow();
    if (message.message == WM_DROPFILES && message.hwnd == main.window) {
        OnDroppedFiles(ContextOf(main), reinterpret_cast<HDROP>(message.wParam));
    }
    RefreshStatusBar(main);
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

void RunEventLoop() {
    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) HandleQueuedMessage(message);
}

}  // namespace quillet
