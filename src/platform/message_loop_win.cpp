#include "platform/message_loop_win.h"

namespace quillet {
namespace {

struct LoopState {
    HWND shortcutWindow = nullptr;
    HACCEL shortcuts = nullptr;
    BeforeDispatchFn beforeDispatch = nullptr;
    int toolWindowLoops = 0;
};

LoopState& State() {
    static LoopState state;
    return state;
}

}  // namespace

void InstallShortcuts(HWND window, HACCEL table) {
    State().shortcutWindow = table ? window : nullptr;
    State().shortcuts = table;
}

HACCEL InstalledShortcuts() { return State().shortcuts; }

WaitResult WaitForEvent(MSG& message) {
    if (::GetMessageA(&message, nullptr, 0, 0) <= 0) return WaitResult::Quit;
    const LoopState& state = State();
    // Only the active window's table counts, so the shortcuts do nothing
    // while a tool window or a dialog of the program is active.
    if (state.shortcuts && state.shortcutWindow == ::GetActiveWindow() &&
        ::TranslateAcceleratorA(state.shortcutWindow, state.shortcuts, &message)) {
        return WaitResult::Shortcut;
    }
    return WaitResult::Message;
}

void SetBeforeDispatch(BeforeDispatchFn before) { State().beforeDispatch = before; }

void DispatchEvent(MSG& message) {
    if (BeforeDispatchFn before = State().beforeDispatch) before(message);
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

ToolWindowLoopScope::ToolWindowLoopScope() { ++State().toolWindowLoops; }

ToolWindowLoopScope::~ToolWindowLoopScope() { --State().toolWindowLoops; }

bool ToolWindowLoopRunning() { return State().toolWindowLoops > 0; }

}  // namespace quillet
