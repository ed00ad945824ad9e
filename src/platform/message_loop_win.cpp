#include "platform/message_loop_win.h"

namespace quillet {
namespace {

struct LoopState {
    HWND shortcutWindow = nullptr;
    HACCEL shortcuts = nullptr;
    BeforeDispatchFn beforeDispatch = nullptr;
};

LoopState& State() {
    static LoopState state;
    return state;
}

// Only the active window's table counts, so the shortcuts do nothing while
// a tool window or a dialog of the program is active.
bool TranslateShortcut(MSG& message) {
    const LoopState& state = State();
    return state.shortcuts && state.shortcutWindow == ::GetActiveWindow() &&
           ::TranslateAcceleratorA(state.shortcutWindow, state.shortcuts, &message);
}

}  // namespace

void InstallShortcuts(HWND window, HACCEL table) {
    State().shortcutWindow = table ? window : nullptr;
    State().shortcuts = table;
}

void SetBeforeDispatch(BeforeDispatchFn before) { State().beforeDispatch = before; }

void DispatchEvent(MSG& message) {
    if (BeforeDispatchFn before = State().beforeDispatch) before(message);
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

bool RunMessageLoop(LoopOwner& owner) {
    MSG message{};
    while (owner.KeepsRunning()) {
        if (::GetMessageA(&message, nullptr, 0, 0) <= 0) {
            if (owner.PassesQuitOn()) ::PostQuitMessage(static_cast<int>(message.wParam));
            return true;
        }
        if (TranslateShortcut(message) || owner.TakesMessage(message)) continue;
        DispatchEvent(message);
        owner.AfterDispatch(message);
    }
    return false;
}

}  // namespace quillet
