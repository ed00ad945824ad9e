// One entry of the main window's context menu: a command item with its
// Ctrl+key shortcut, or a separator.
#pragma once

namespace quillet {

struct ContextMenuItem {
    const char* text;  // nullptr for a separator
    int id;            // the menu-event identifier it raises
    int virtualKey;    // the Ctrl+key shortcut, 0 for none
};

}  // namespace quillet
