// Modality: how a dialog or a tool window holds the rest of the program
// while it is up. One mechanism for all of them (message boxes, the file and
// font dialogs, the About window, the Find/Replace window).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillet {

// The foreground window when it belongs to this program, else nullptr: the
// owner every dialog is given.
HWND ProgramOwnerWindow();

enum class Modality {
    // A dialog: every other visible, enabled top-level window of the program
    // is disabled, and exactly those are enabled again at the end.
    DisableOthers,
    // A tool window that works beside the main window: nothing is disabled.
    KeepOthers,
};

// Held for as long as a dialog or tool window is up, by the code that shows
// it. While any scope is held, the main window takes and drops its commands
// (menu items, shortcuts, image buttons), dropped files and close request:
// they have no effect, then or later. At the end of a dialog's scope the
// window that was the program's foreground window is activated again.
class ModalScope {
public:
    explicit ModalScope(Modality modality = Modality::DisableOthers);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    Modality modality_;
    HWND activeBefore_;
    std::vector<HWND> disabled_;
};

// Whether any ModalScope is held now.
bool InModalScope();

// MessageBoxA under a ModalScope, owned by ProgramOwnerWindow().
int ShowMessage(const std::string& text, const std::string& caption, UINT style);

}  // namespace quillet
