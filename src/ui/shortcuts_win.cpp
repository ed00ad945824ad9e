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

HACCEL MakeAcceleratorTable(const std::vector<Shortcut>& list) {
    std::vector<ACCEL> entries;
    entries.reserve(list.size());
    for (const Shortcut& shortcut : list) entries.push_back({shortcut.flags, shortcut.key, shortcut.command});
    return ::CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
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
    std::vector<Shortcut> shortcuts;
    for (const ContextMenuItem& item : kContextMenu) {
        if (state.menu) {
            if (item.text) {
                ::AppendMenuA(state.menu, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
            } else {
                ::AppendMenuA(state.menu, MF_SEPARATOR, 0, nullptr);
            }
        }
        if (item.virtualKey != 0) {
            RegisterShortcut(shortcuts, {kShortcutFlags, static_cast<std::uint16_t>(item.virtualKey),
                                         static_cast<std::uint16_t>(item.id)});
        }
    }
    // One table for them all, made once the list is complete.
    state.table = MakeAcceleratorTable(shortcuts);
    if (state.table) InstallShortcuts(mainWindow, state.table);
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
