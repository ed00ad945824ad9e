// The main window's context menu and keyboard shortcuts, both made once at
// start-up from the context menu's items.
#pragma once

#include <windows.h>

#include <cstddef>

#include "ui/context_menu.h"

namespace quillet {

struct ContextMenuAndShortcuts {
    HMENU menu;        // nullptr when it could not be made
    HACCEL shortcuts;  // nullptr when there are none
};

// Creates the context menu (menu identifier 2001) and, item by item,
// registers the shortcut each item names; one accelerator table holds them
// all. Both are the caller's.
ContextMenuAndShortcuts MakeContextMenuAndShortcuts(const ContextMenuItem* items, std::size_t count);

// Opens the menu with its corner one pixel up and left of the mouse pointer.
// A chosen item comes back to mainWindow as WM_COMMAND.
void ShowContextMenu(HWND mainWindow, HMENU menu);

}  // namespace quillet
