#include "app/commands.h"

#include "ui/layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quillet {
namespace {

TEST(MenuAction, SeparateNumberingAndGaps) {
    EXPECT_EQ(MenuAction(13), Action::Save);
    EXPECT_EQ(ButtonAction(13), Action::Print);
    EXPECT_EQ(MenuAction(2002), Action::Print);
    EXPECT_EQ(MenuAction(16), Action::Exit);
    EXPECT_EQ(MenuAction(31), Action::About);
    EXPECT_EQ(ButtonAction(8), Action::ClearClipboard);
    EXPECT_EQ(ButtonAction(12), Action::NoAction);
    EXPECT_EQ(ButtonAction(14), Action::FindReplace);
    for (int id : {-1, 3, 4, 7, 12, 30, 32, 2001, 2003}) {
        EXPECT_FALSE(MenuAction(id).has_value()) << id;
    }
    for (int id : {0, 4, 9, 15, 16, 2002}) {
        EXPECT_FALSE(ButtonAction(id).has_value()) << id;
    }
}

TEST(MenuAction, EveryActionButTheButtonOnesHasExactlyOneMenuId) {
    std::multiset<Action> seen;
    for (const CommandEntry& entry : kMenuCommands) {
        EXPECT_EQ(MenuAction(entry.id), entry.action) << "duplicate id " << entry.id;
        seen.insert(entry.action);
    }
    for (std::size_t i = 0; i < kActionCount; ++i) {
        const Action action = static_cast<Action>(i);
        const bool buttonOnly = action == Action::ClearClipboard || action == Action::NoAction;
        EXPECT_EQ(seen.count(action), buttonOnly ? 0u : 1u) << i;
    }
}

TEST(ButtonAction, EveryImageButtonAndNothingElse) {
    std::set<int> placed;
    for (const ButtonPlace& place : kButtons) {
        placed.insert(place.id);
        EXPECT_TRUE(ButtonAction(place.id).has_value()) << place.id;
    }
    for (const CommandEntry& entry : kButtonCommands) {
        EXPECT_EQ(placed.count(entry.id), 1u) << entry.id;
    }
}

TEST(FocusStep, AllMenuActionsButSetFontAndExit) {
    for (const CommandEntry& entry : kMenuCommands) {
        const bool expected = entry.id != menu_id::kSetFont && entry.id != menu_id::kExit;
        EXPECT_EQ(FocusesEditorAfterMenuEvent(entry.action), expected) << entry.id;
    }
}

// "Title:item(id),-,..." per title, so that order, texts and ids are checked
// in one readable line each.
std::string Describe(const MenuTitle& title) {
    std::string out = std::string(title.title) + ":";
    for (std::size_t i = 0; i < title.itemCount; ++i) {
        const MenuItem& item = title.items[i];
        out += i ? "," : "";
        out += item.text ? std::string(item.text) + "(" + std::to_string(item.id) + ")" : "-";
    }
    return out;
}

TEST(MenuBar, TitlesAndItemsInOrder) {
    const char* expected[] = {
        "File:Open(0),Insert(1),New(2),-,Save(13),SaveAs(14),Append To(15),-,Exit(16)",
        ("Edit:Undo(17),-,Cut(18),Copy(19),Paste(20),Select All(21),-,Delete(22),-,"
         "Insert Date(23),Insert Time(24),-,Find/Replace(25)"),
        "Options:Word Wrap(26),Set Font(27),Always On Top(28),-,Transparent Mode(29)",
        "Help:About(31)",
        ":",
    };
    ASSERT_EQ(kMenuBar.size(), std::size(expected));
    for (std::size_t i = 0; i < kMenuBar.size(); ++i) {
        EXPECT_EQ(Describe(kMenuBar[i]), expected[i]);
    }
    EXPECT_EQ(kMenuBar[4].items, nullptr);
}

TEST(MenuBar, EveryItemDispatches) {
    for (const MenuTitle& title : kMenuBar) {
        for (std::size_t i = 0; i < title.itemCount; ++i) {
            if (title.items[i].text) {
                EXPECT_TRUE(MenuAction(title.items[i].id).has_value()) << title.items[i].text;
            }
        }
    }
}

// The key a context-menu item's label names: the letter after "Ctrl + ",
// VK_ESCAPE for "Esc", 0 when the label names none.
int KeyNamedBy(const std::string& text) {
    const std::string marker = "\tCtrl + ";
    const std::size_t at = text.find(marker);
    if (at == std::string::npos) {
        return 0;
    }
    const std::string key = text.substr(at + marker.size());
    return key == "Esc" ? 0x1B : (key.size() == 1 ? key[0] : -1);
}

TEST(ContextMenu, ItemsInOrder) {
    std::string described;
    for (const ContextMenuItem& item : kContextMenu) {
        described += item.text ? std::to_string(item.id) : "-";
        described += ' ';
    }
    EXPECT_EQ(described, "17 - 18 19 20 21 - 22 - 23 24 - 25 - 0 1 2 - 2002 - 13 14 15 - 16 ");
    EXPECT_STREQ(kContextMenu[7].text, "Erase\tCtrl + E");
    EXPECT_STREQ(kContextMenu[18].text, "Print...\tCtrl + P");
    EXPECT_STREQ(kContextMenu[21].text, "SaveAs...");
    EXPECT_STREQ(kContextMenu[24].text, "Exit\tCtrl + Esc");
}

TEST(ContextMenu, ShortcutsMatchTheirLabels) {
    std::set<int> keys;
    for (const ContextMenuItem& item : kContextMenu) {
        if (!item.text) {
            EXPECT_EQ(item.virtualKey, 0);
            continue;
        }
        EXPECT_EQ(item.virtualKey, KeyNamedBy(item.text)) << item.text;
        EXPECT_TRUE(MenuAction(item.id).has_value()) << item.text;
        if (item.virtualKey != 0) {
            keys.insert(item.virtualKey);
        }
    }
    EXPECT_EQ(keys.size(), 15u);
    EXPECT_EQ(keys.count(0x1B), 1u);
}

}  // namespace
}  // namespace quillet
