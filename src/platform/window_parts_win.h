// What the program's own windows share: their window classes, registered on
// first use, their child controls, made in the dialog font, and their text.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// The module every window class and window of the program belongs to.
HINSTANCE ProgramInstance();

// Registers the class (cbSize and hInstance are filled in here) unless a
// class of its name is registered already. False when it cannot be.
bool RegisterWindowClassOnce(WNDCLASSEXA windowClass);

// A visible child window with the control identifier id, given font (the
// stock DEFAULT_GUI_FONT when font is nullptr); nullptr when it cannot be made.
HWND CreateChildWindow(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int x,
                       int y, int width, int height, int id, HFONT font = nullptr);

// Gives a control the font (the stock DEFAULT_GUI_FONT when font is nullptr).
void SetControlFont(HWND control, HFONT font = nullptr);

// The window's whole text; "" when it has none.
std::string WindowText(HWND window);

}  // namespace quillet
