#include "platform/modal_win.h"

namespace quillet {
namespace {

int& ScopesHeld() {
    static int held = 0;
    return held;
}

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

ModalScope::ModalScope(Modality modality) : modality_(modality), activeBefore_(ProgramOwnerWindow()) {
    ++ScopesHeld();
    if (modality_ == Modality::KeepOthers) return;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled_));
    for (HWND window : disabled_) ::EnableWindow(window, FALSE);
}

ModalScope::~ModalScope() {
    --ScopesHeld();
    for (HWND window : disabled_) {
        if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
    // The dialog found its owner disabled when it closed, so the system may
    // have activated nothing: give the activation back.
    if (modality_ == Modality::DisableOthers && activeBefore_ && ::IsWindow(activeBefore_)) ::SetActiveWindow(activeBefore_);
}

bool InModalScope() { return ScopesHeld() > 0; }

int ShowMessage(const std::string& text, const std::string& caption, UINT style) {
    HWND owner = ProgramOwnerWindow();
    ModalScope modal;
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace quillet
