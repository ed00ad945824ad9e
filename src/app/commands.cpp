#include "app/commands.h"

namespace quillet {
namespace {

template <std::size_t N>
constexpr bool IdsAreUnique(const std::array<CommandEntry, N>& entries) {
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = i + 1; j < N; ++j) {
            if (entries[i].id == entries[j].id) return false;
        }
    }
    return true;
}
static_assert(IdsAreUnique(kMenuCommands), "two commands share a menu identifier");
static_assert(IdsAreUnique(kButtonCommands), "two commands share an image button");

// A menu item, a context-menu item or a shortcut can only raise a command
// that has a menu identifier.
constexpr bool MenusRaiseMenuEvents() {
    for (const CommandRow& row : kCommandRows) {
        const bool onAMenu = row.barTitle != BarTitle::None || row.contextText || row.ctrlKey != 0;
        if (onAMenu && row.menuId == kNoId) return false;
        if ((row.barTitle != BarTitle::None) != (row.barText != nullptr)) return false;
    }
    return true;
}
static_assert(MenusRaiseMenuEvents(), "a menu item without a menu identifier, or a title without a text");

template <std::size_t N>
std::optional<Action> Lookup(const std::array<CommandEntry, N>& table, int id) {
    for (const CommandEntry& entry : table) {
        if (entry.id == id) return entry.action;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Action> MenuAction(int id) { return Lookup(kMenuCommands, id); }

std::optional<Action> ButtonAction(int id) { return Lookup(kButtonCommands, id); }

}  // namespace quillet
