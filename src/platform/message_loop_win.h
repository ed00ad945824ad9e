// The one event loop of the program, run by the main window until the
// program ends and by each tool window (Find/Replace, About) while it is
// open, nested inside the command that opened it.
#pragma once

#include <windows.h>

namespace quillet {

// The main window's shortcuts: an accelerator table that every loop
// translates while `window` is the active window. The table stays the
// caller's; installing nullptr removes it.
void InstallShortcuts(HWND window, HACCEL table);

// Runs before every message that a loop dispatches (the main window's
// status-bar refresh).
using BeforeDispatchFn = void (*)(const MSG& message);
void SetBeforeDispatch(BeforeDispatchFn before);

// The before-dispatch step, then TranslateMessage and DispatchMessageA.
void DispatchEvent(MSG& message);

// What a loop asks of the window it runs for.
class LoopOwner {
public:
    virtual ~LoopOwner() = default;
    // Checked before each wait: the loop ends as soon as this is false.
    virtual bool KeepsRunning() const = 0;
    // Offered every message that is not a shortcut, before dispatch: true
    // when the window took it itself (a tool window's dialog keys).
    virtual bool TakesMessage(MSG&) { return false; }
    // After a message was dispatched.
    virtual void AfterDispatch(const MSG&) {}
    // Whether a WM_QUIT that ends this loop is posted again for the loop
    // outside it: every loop but the program's outermost one.
    virtual bool PassesQuitOn() const { return true; }
};

// Takes the thread's messages one at a time, waiting without a time limit,
// until owner stops running or WM_QUIT arrives. A key that is a shortcut of
// the active window becomes its command and goes no further. True when the
// loop ended by WM_QUIT.
bool RunMessageLoop(LoopOwner& owner);

}  // namespace quillet
