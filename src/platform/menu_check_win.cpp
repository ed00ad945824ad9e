#include "platform/menu_check_win.h"

namespace quillet {

void SetMenuCheck(HWND window, int commandId, bool checked) {
    HMENU bar = ::GetMenu(window);
    if (!bar) return;
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    const auto id = static_cast<UINT>(commandId);
    if (!::GetMenuItemInfoA(bar, id, FALSE, &item)) return;
    item.fState = checked ? (item.fState | MFS_CHECKED) : (item.fState & ~static_cast<UINT>(MFS_CHECKED));
    ::SetMenuItemInfoA(bar, id, FALSE, &item);
}

}  // namespace quillet
