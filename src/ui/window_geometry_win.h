// The main window's position and size, as stored in the settings file.
#pragma once

#include <windows.h>

#include <string>

#include "ui/layout.h"

namespace quillet {

Geometry ReadStoredGeometry(const std::string& settings);

// Places the window for a stored geometry: outer top-left at (x, y), client
// area width by height with the menu bar's room taken out of the height.
// A geometry with no usable client area gives way to the defaults, and one
// that would leave the window off every monitor is moved onto the nearest.
void PlaceWindow(HWND window, Geometry stored);

// The geometry to store for the window as it is now; a minimised window
// reports the place and size it will be restored to.
Geometry CurrentGeometry(HWND window);

void StoreGeometry(const std::string& settings, Geometry geometry);

}  // namespace quillet
