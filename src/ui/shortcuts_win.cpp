#include "ui/shortcuts_win.h"

#include <vector>

#include "app/commands.h"
#include "platform/message_loop_win.h"
#include "ui/shortcut_list.h"

namespace quillet {
namespace {

// Exactly Ctrl and the key: with Shift or Alt held as well, nothing matches.
constexpr BYTE kShortcutFlags = FVIRTKEY | FNOINVERT | FCONTROL;

struct MenuAndShortcuts {
    HMENU menu = nullptr;
    HACCEL table = nullptr;
    std::vector<Shortcut> list;
};

MenuAndShortcuts& State() {
    static MenuAndShortcuts state;
    return state;
}

void Discard(MenuAndShortcuts& state) {
    if (state.table) {
        InstallShortcuts(nullptr, nullptr);
        ::DestroyAcceleratorTable(state.table);
    }
    if (state.menu) ::DestroyMenu(state.menu);
    state = MenuAndShortcuts{};
}

// Adds the key to the list and makes the window's table anew from it.
void RegisterShortcutKey(HWND mainWindow, int key, int command) {
    MenuAndShortcuts& state = State();
    RegisterShortcut(state.list, {kShortcutFlags, static_cast<std::uint16_t>(key),
                                  static_cast<std::uint16_t>(command)});
    std::vector<ACCEL> entries;
    entries.reserve(state.list.size());
    for (const Shortcut& shortcut : state.list) {
        entries.push_back({shortcut.flags, shortcut.key, shortcut.command});
    }
    HACCEL table = ::CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
    if (!table) return;  // the previous table stays in use
    InstallShortcuts(mainWindow, table);
    if (state.table) ::DestroyAcceleratorTable(state.table);
    state.table = table;
}

}  // namespace

void BuildContextMenuAndShortcuts(HWND mainWindow) {
    MenuAndShortcuts& state = State();
    Discard(state);
    state.menu = ::CreatePopupMenu();
    if (state.menu) {
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_MENUDATA;
        info.dwMenuData = control_id::kContextMenu;  // the menu's identifier
        ::SetMenuInfo(state.menu, &info);
    }
    for (const ContextMenuItem& item : kContextMenu) {
        if (state.menu) {
            if (item.text) {
                ::AppendMenuA(state.menu, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
            } else {
                ::AppendMenuA(state.menu, MF_SEPARATOR, 0, nullptr);
            }
        }
        if (item.virtualKey != 0) RegisterShortcutKey(mainWindow, item.virtualKey, item.id);
    }
}

HMENU ContextMenu() { return State().menu; }

void ShowContextMenu(HWND mainWindow) {
    HMENU menu = State().menu;
    POINT pointer{};
    if (!menu || !::GetCursorPos(&pointer)) return;
    // The menu must belong to the foreground window, or a click elsewhere
    // would not close it.
    ::SetForegroundWindow(mainWindow);
    ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, pointer.x - 1, pointer.y - 1, 0, mainWindow, nullptr);
}

}  // namespace quillet
