#include "platform/modal_win.h"

namespace quillet {
namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM context) {
    if (::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    }
    return TRUE;
}

}  // namespace

HWND ProgramOwnerWindow() {
    HWND foreground = ::GetForegroundWindow();
    if (!foreground) return nullptr;
    DWORD process = 0;
    ::GetWindowThreadProcessId(foreground, &process);
    return process == ::GetCurrentProcessId() ? foreground : nullptr;
}

ModalScope::ModalScope() : activeBefore_(ProgramOwnerWindow()) {
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabledWindow,
                        reinterpret_cast<LPARAM>(&disabled_));
    for (HWND window : disabled_) ::EnableWindow(window, FALSE);
}

ModalScope::~ModalScope() {
    for (HWND window : disabled_) {
        if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
    // The dialog found its owner disabled when it closed, so the system may
    // have activated nothing: give the activation back.
    if (activeBefore_ && ::IsWindow(activeBefore_)) ::SetActiveWindow(activeBefore_);
}

int ShowMessage(const std::string& text, const std::string& caption, UINT style) {
    HWND owner = ProgramOwnerWindow();
    ModalScope modal;
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace quillet
