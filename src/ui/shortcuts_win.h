// The main window's context menu and keyboard shortcuts, both made once at
// start-up from the context menu's items.
#pragma once

#include <windows.h>

namespace quillet {

// Creates the context menu and, item by item, registers the shortcut each
// item names, so that the main window's accelerator table holds them all.
// Called again for a new main window, it replaces what the last call made.
void BuildContextMenuAndShortcuts(HWND mainWindow);

// The context menu; nullptr before it is built.
HMENU ContextMenu();

// Opens the context menu with its corner one pixel up and left of the mouse
// pointer. A chosen item comes back to the main window as WM_COMMAND.
void ShowContextMenu(HWND mainWindow);

}  // namespace quillet
