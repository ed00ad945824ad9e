// The main window: its class, its children (menu bar, frame, image buttons,
// editor, status bar), its message handling and its layout.
#pragma once

#include <windows.h>

#include <array>

#include "program/command_context_win.h"
#include "program/command_ids.h"

namespace quillet {

inline constexpr char kMainWindowClass[] = "QuilletMainWindow";

struct MainWindow {
    HWND window = nullptr;
    HWND editor = nullptr;
    HWND statusBar = nullptr;
    HWND frame = nullptr;
    std::array<HWND, control_id::kMaxButton + 1> buttons{};  // indexed by control identifier
    // Made once the window is shown; released with the window.
    HMENU contextMenu = nullptr;
    HACCEL shortcuts = nullptr;
};

// The program's one main window.
MainWindow& TheMainWindow();

// What every command handler is given.
CommandContext ContextOf(MainWindow& main);

// The twelve button pictures, made once from the program's resources.
void LoadButtonBitmaps();

// Builds the window hidden, with everything in it. Returns false when the window or its editor could not be made (a
// partly built window is destroyed).
bool BuildMainWindow(MainWindow& main);

// Makes the context menu and the shortcuts and installs the shortcuts.
void BuildContextMenuAndShortcuts(MainWindow& main);

// Puts the children where the window's client size wants them.
void LayoutMainWindow(const MainWindow& main);

// The right button pressed over the main window or anything in it, as the
// loop takes it from the queue: the context menu opens.
void OpenContextMenuOnRightButton(const MainWindow& main, const MSG& message);

}  // namespace quillet
