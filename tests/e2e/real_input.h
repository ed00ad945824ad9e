// Real key and mouse input, as a user gives it: SendInput reaches the window
// in the foreground, whatever process owns it.
#pragma once

#include <windows.h>

#include <vector>

namespace quillet::e2e {

// Brings window to the foreground; false when it did not get there.
bool BringToFront(HWND window);

// Presses the keys in order and lets them go in reverse: {VK_CONTROL, 'S'}.
bool PressKeys(const std::vector<WORD>& keys);

// Puts the pointer on a screen point and waits until it stays there while
// the program owning `window` catches up (the display may report older
// positions for a moment).
bool MovePointer(POINT at, HWND window);

// Presses or lets go the right mouse button with the pointer at a point.
bool RightButton(POINT at, bool down);

}  // namespace quillet::e2e
