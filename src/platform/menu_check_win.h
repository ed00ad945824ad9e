// The check mark of a menu-bar item, addressed by its command identifier.
#pragma once

#include <windows.h>

namespace quillet {

// Ticks or clears the item of window's menu bar that carries commandId.
// Nothing happens when the window has no menu or no such item.
void SetMenuCheck(HWND window, int commandId, bool checked);

}  // namespace quillet
