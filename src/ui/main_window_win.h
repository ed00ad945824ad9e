// The main window and its children: menu bar, frame, image buttons, editor
// and status bar.
#pragma once

#include <windows.h>

#include <array>

namespace quillet {

inline constexpr char kMainWindowClass[] = "QuilletMainWindow";
inline constexpr int kStatusBarId = 1000;
inline constexpr int kMaxButtonId = 14;

struct MainWindow {
    HWND window = nullptr;
    HWND editor = nullptr;
    HWND statusBar = nullptr;
    HWND frame = nullptr;
    std::array<HWND, kMaxButtonId + 1> buttons{};  // indexed by control identifier
};

// The program's one main window.
MainWindow& TheMainWindow();

// The twelve button pictures, made once from the program's resources.
void LoadButtonBitmaps();

// Builds the window hidden, with everything in it, handling its messages
// with windowProc. Returns false when the window or its editor could not be
// made (a partly built window is destroyed).
bool BuildMainWindow(MainWindow& main, WNDPROC windowProc);

// Puts the children where the window's client size wants them.
void LayoutMainWindow(const MainWindow& main);

}  // namespace quillet
