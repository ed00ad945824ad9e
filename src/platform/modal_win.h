// Modal dialogs over the program's windows: while one is up, every other
// visible, enabled top-level window of the program is disabled, and exactly
// those are enabled again when it closes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillet {

// The foreground window when it belongs to this program, else nullptr: the
// owner every dialog is given.
HWND ProgramOwnerWindow();

class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    HWND activeBefore_;
    std::vector<HWND> disabled_;
};

// MessageBoxA under a ModalScope, owned by ProgramOwnerWindow().
int ShowMessage(const std::string& text, const std::string& caption, UINT style);

}  // namespace quillet
