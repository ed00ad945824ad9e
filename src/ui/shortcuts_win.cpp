#include "ui/shortcuts_win.h"

#include <vector>

#include "program/command_ids.h"
#include "ui/shortcut_list.h"

namespace quillet {
namespace {

// Exactly Ctrl and the key: with Shift or Alt held as well, nothing matches.
constexpr BYTE kShortcutFlags = FVIRTKEY | FNOINVERT | FCONTROL;

HMENU MakeContextMenu() {
    HMENU menu = ::CreatePopupMenu();
    if (!menu) return nullptr;
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = control_id::kContextMenu;  // the menu's identifier
    ::SetMenuInfo(menu, &info);
    return menu;
}

HACCEL MakeAcceleratorTable(const std::vector<Shortcut>& list) {
    if (list.empty()) return nullptr;
    std::vector<ACCEL> entries;
    entries.reserve(list.size());
    for (const Shortcut& shortcut : list) entries.push_back({shortcut.flags, shortcut.key, shortcut.command});
    return ::CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
}

}  // namespace

ContextMenuAndShortcuts MakeContextMenuAndShortcuts(const ContextMenuItem* items, std::size_t count) {
    HMENU menu = MakeContextMenu();
    std::vector<Shortcut> shortcuts;
    for (std::size_t i = 0; i < count; ++i) {
        const ContextMenuItem& item = items[i];
        if (menu) {
            if (item.text) {
                ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
            } else {
                ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            }
        }
        if (item.virtualKey != 0) {
            RegisterShortcut(shortcuts, {kShortcutFlags, static_cast<std::uint16_t>(item.virtualKey),
                                         static_cast<std::uint16_t>(item.id)});
        }
    }
    // One table for them all, made once the list is complete.
    return {menu, MakeAcceleratorTable(shortcuts)};
}

void ShowContextMenu(HWND mainWindow, HMENU menu) {
    POINT pointer{};
    if (!menu || !::GetCursorPos(&pointer)) return;
    // The menu must belong to the foreground window, or a click elsewhere
    // would not close it.
    ::SetForegroundWindow(mainWindow);
    ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, pointer.x - 1, pointer.y - 1, 0, mainWindow, nullptr);
}

}  // namespace quillet
