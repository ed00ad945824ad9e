// The wait step that every event loop of the program shares: the main loop,
// and the loops that the Find/Replace and About windows run while they are
// open. Also what such a tool window's loop needs from the main window while
// it runs: the main window's commands and close request are dropped.
#pragma once

#include <windows.h>

namespace quillet {

// The main window's shortcuts: an accelerator table that every loop's wait
// step translates while `window` is the active window. The table stays the
// caller's; installing nullptr removes it.
void InstallShortcuts(HWND window, HACCEL table);
HACCEL InstalledShortcuts();

enum class WaitResult {
    Quit,      // WM_QUIT: the loop ends (a nested loop posts it again)
    Shortcut,  // a shortcut key, already turned into its command
    Message,   // anything else: dispatch it
};

// Takes the next message of the thread, waiting for one without a time
// limit. A key that is a shortcut of the active window becomes its command
// here (TranslateAcceleratorA) and must not be dispatched.
WaitResult WaitForEvent(MSG& message);

// Runs before every message that a loop dispatches through DispatchEvent
// (the main window installs its status-bar refresh here).
using BeforeDispatchFn = void (*)(const MSG& message);
void SetBeforeDispatch(BeforeDispatchFn before);

// The before-dispatch step, then TranslateMessage and DispatchMessageA.
void DispatchEvent(MSG& message);

// Held by a tool window for as long as its own loop runs. Meanwhile the main
// window takes and drops its commands (menu items, shortcuts, image buttons)
// and its close request: they have no effect, then or later.
class ToolWindowLoopScope {
public:
    ToolWindowLoopScope();
    ~ToolWindowLoopScope();
    ToolWindowLoopScope(const ToolWindowLoopScope&) = delete;
    ToolWindowLoopScope& operator=(const ToolWindowLoopScope&) = delete;
};

// Whether a tool window's loop is running now.
bool ToolWindowLoopRunning();

}  // namespace quillet
