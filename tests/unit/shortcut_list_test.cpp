#include "ui/shortcut_list.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "../support/context_menu_table.h"
#include "app/commands.h"

namespace quillet {

std::ostream& operator<<(std::ostream& out, const Shortcut& s) {
    return out << "{" << int{s.flags} << "," << s.key << "," << s.command << "}";
}

namespace {

constexpr std::uint8_t kCtrl = test::kExpectedShortcutFlags;
constexpr std::uint8_t kCtrlShift = kCtrl | 0x04;

TEST(RegisterShortcut, AKeyWithTheSameFlagsTakesTheNewCommandInItsPlace) {
    const struct {
        std::vector<Shortcut> registered;
        std::vector<Shortcut> list;
    } cases[] = {
        {{{kCtrl, 'Z', 17}, {kCtrl, 'X', 18}, {kCtrl, 'Z', 99}}, {{kCtrl, 'Z', 99}, {kCtrl, 'X', 18}}},
        {{{kCtrl, 'S', 13}, {kCtrl, 'S', 13}}, {{kCtrl, 'S', 13}}},
        {{{kCtrl, 'S', 13}, {kCtrlShift, 'S', 14}, {kCtrlShift, 'S', 15}},
         {{kCtrl, 'S', 13}, {kCtrlShift, 'S', 15}}},
        {{{kCtrl, 'E', 22}, {kCtrl, 'R', 22}}, {{kCtrl, 'E', 22}, {kCtrl, 'R', 22}}},
    };
    for (const auto& c : cases) {
        std::vector<Shortcut> list;
        for (const Shortcut& shortcut : c.registered) RegisterShortcut(list, shortcut);
        EXPECT_EQ(list, c.list);
    }
}

TEST(RegisterShortcut, TheContextMenusItemsGiveFifteenCtrlKeysInOrder) {
    const auto entry = [](int key, int id) { return Shortcut{kCtrl, std::uint16_t(key), std::uint16_t(id)}; };
    std::vector<Shortcut> list;
    for (const ContextMenuItem& item : kContextMenu) {
        if (item.virtualKey) RegisterShortcut(list, entry(item.virtualKey, item.id));
    }
    std::vector<Shortcut> expected;
    for (const auto& e : test::kExpectedShortcuts) expected.push_back(entry(e.key, e.id));
    EXPECT_EQ(list, expected);
}

}  // namespace
}  // namespace quillet
