#include "app/event_loop_win.h"

#include <shellapi.h>

#include "app/command_handlers_win.h"
#include "app/program_end_win.h"
#include "app/settings_win.h"
#include "app/status_bar_win.h"
#include "platform/editor_control_win.h"
#include "platform/message_loop_win.h"
#include "ui/dropped_files_win.h"
#include "ui/links_win.h"
#include "ui/shortcuts_win.h"

namespace quillet {
namespace {

CommandContext ContextOf(MainWindow& main) {
    return {main.window, main.editor, SettingsFilePath()};
}

bool IsImageButton(const MainWindow& main, HWND control, int id) {
    return id >= 0 && id <= kMaxButtonId && control && main.buttons[id] == control;
}

void OnCommand(MainWindow& main, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control == main.editor) {
        if (control && HIWORD(wParam) == EN_CHANGE) NoteEditorChanged();
        return;
    }
    // While a tool window runs its own loop, commands are taken and dropped.
    if (ToolWindowLoopRunning()) return;
    if (!control) {
        DispatchMenuEvent(ContextOf(main), id);  // menu item or shortcut
    } else if (HIWORD(wParam) == BN_CLICKED && IsImageButton(main, control, id)) {
        DispatchButtonEvent(ContextOf(main), id);
    }
}

void OnDrop(MainWindow& main, HDROP drop) {
    if (ToolWindowLoopRunning()) {
        ::DragFinish(drop);
        return;
    }
    OnDroppedFiles(ContextOf(main), drop);
}

void RefreshBeforeDispatch(const MSG&) { RefreshStatusBar(TheMainWindow()); }

// The right button pressed over the main window or anything in it.
bool OpensContextMenu(const MainWindow& main, const MSG& message) {
    return message.message == WM_RBUTTONDOWN && main.window &&
           (message.hwnd == main.window || ::IsChild(main.window, message.hwnd));
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow& main = TheMainWindow();
    if (window != main.window) return ::DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        OnCommand(main, wParam, lParam);
        return 0;
    case WM_DROPFILES:
        OnDrop(main, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_NOTIFY:
        // Looked at, never consumed: the sender gets the normal result.
        if (lParam) OnEditorLinkNotice(main.editor, *reinterpret_cast<const NMHDR*>(lParam));
        return ::DefWindowProcA(window, message, wParam, lParam);
    case WM_SIZE:
        // The status bar keeps itself at the bottom when told of the resize.
        if (main.statusBar) ::SendMessageA(main.statusBar, WM_SIZE, wParam, lParam);
        if (wParam != SIZE_MINIMIZED && main.editor) LayoutMainWindow(main);
        return 0;
    case WM_CLOSE:
        if (!ToolWindowLoopRunning()) RunCloseSequence(ContextOf(main));
        return 0;
    case WM_QUERYENDSESSION:
        return AllowSessionEnd(ContextOf(main)) ? TRUE : FALSE;
    case WM_ENDSESSION:
        OnSessionEnd(ContextOf(main), wParam != FALSE);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

void InstallStatusBarRefresh() { SetBeforeDispatch(RefreshBeforeDispatch); }

void HandleQueuedMessage(MSG& message) { DispatchEvent(message); }

void RunEventLoop() {
    MSG message{};
    for (;;) {
        switch (WaitForEvent(message)) {
        case WaitResult::Quit:
            return;
        case WaitResult::Shortcut:
            break;
        case WaitResult::Message:
            HandleQueuedMessage(message);
            if (OpensContextMenu(TheMainWindow(), message)) ShowContextMenu(TheMainWindow().window);
            break;
        }
    }
}

}  // namespace quillet
