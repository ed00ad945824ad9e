// Every command of the program, one row each, and the tables made from the
// rows: the menu-event and button-event lookups, the menu bar, the context
// menu with its shortcuts, and the focus step after a command. Portable: the
// rows name their handlers, but only the dispatch (dispatch_win.cpp) reads
// that column, so this builds and is tested without Win32.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <optional>

#include "program/command_ids.h"
#include "ui/context_menu.h"

namespace quillet {

// Where the menu bar shows a command (None: not on the menu bar).
enum class BarTitle { File, Edit, Options, Help, None };

// A separator goes before the command's item on the menu bar, in the context
// menu, or both.
inline constexpr unsigned kBarBreak = 1;
inline constexpr unsigned kContextBreak = 2;

inline constexpr int kVkEscape = 0x1B;

// clang-format off
// One row per command, in the order of the context menu; the menu bar keeps
// that order within each of its titles. Columns: the action, its handler, the
// menu-event identifier (kNoId: no menu item, context item or shortcut), the
// image button (kNoId: none), the menu-bar title and text, the context-menu
// text (nullptr: not in the context menu) and its Ctrl+key shortcut (0: none),
// the separators before it, and whether the editor gets the keyboard focus
// back after the command's menu event (button events always give it back).
#define QUILLET_COMMANDS(ROW)                                                                                  \
    ROW(Undo, OnUndo, menu_id::kUndo, kNoId,                                                                    \
        BarTitle::Edit, "Undo", "Undo\tCtrl + Z", 'Z', 0, true)                                                 \
    ROW(Cut, OnCut, menu_id::kCut, control_id::kButtonCut,                                                      \
        BarTitle::Edit, "Cut", "Cut\tCtrl + X", 'X', kBarBreak | kContextBreak, true)                           \
    ROW(Copy, OnCopy, menu_id::kCopy, control_id::kButtonCopy,                                                  \
        BarTitle::Edit, "Copy", "Copy\tCtrl + C", 'C', 0, true)                                                 \
    ROW(Paste, OnPaste, menu_id::kPaste, control_id::kButtonPaste,                                              \
        BarTitle::Edit, "Paste", "Paste\tCtrl + V", 'V', 0, true)                                               \
    ROW(SelectAll, OnSelectAll, menu_id::kSelectAll, kNoId,                                                     \
        BarTitle::Edit, "Select All", "Select All\tCtrl + A", 'A', 0, true)                                     \
    ROW(Delete, OnDelete, menu_id::kDelete, kNoId,                                                              \
        BarTitle::Edit, "Delete", "Erase\tCtrl + E", 'E', kBarBreak | kContextBreak, true)                      \
    ROW(InsertDate, OnInsertDate, menu_id::kInsertDate, kNoId,                                                  \
        BarTitle::Edit, "Insert Date", "Insert Date\tCtrl + D", 'D', kBarBreak | kContextBreak, true)           \
    ROW(InsertTime, OnInsertTime, menu_id::kInsertTime, kNoId,                                                  \
        BarTitle::Edit, "Insert Time", "Insert Time\tCtrl + T", 'T', 0, true)                                   \
    ROW(FindReplace, OnFindReplace, menu_id::kFindReplace, control_id::kButtonFind,                             \
        BarTitle::Edit, "Find/Replace", "Find/Replace\tCtrl + F", 'F', kBarBreak | kContextBreak, true)         \
    ROW(Open, OnOpen, menu_id::kOpen, control_id::kButtonOpen,                                                  \
        BarTitle::File, "Open", "Open...\tCtrl + O", 'O', kContextBreak, true)                                  \
    ROW(Insert, OnInsert, menu_id::kInsert, kNoId,                                                              \
        BarTitle::File, "Insert", "Insert...\tCtrl + I", 'I', 0, true)                                          \
    ROW(New, OnNew, menu_id::kNew, control_id::kButtonNew,                                                      \
        BarTitle::File, "New", "New...\tCtrl + N", 'N', 0, true)                                                \
    ROW(Print, OnPrint, menu_id::kPrint, control_id::kButtonPrint,                                              \
        BarTitle::None, nullptr, "Print...\tCtrl + P", 'P', kContextBreak, true)                                \
    ROW(Save, OnSave, menu_id::kSave, control_id::kButtonSave,                                                  \
        BarTitle::File, "Save", "Save...\tCtrl + S", 'S', kBarBreak | kContextBreak, true)                      \
    ROW(SaveAs, OnSaveAs, menu_id::kSaveAs, kNoId,                                                              \
        BarTitle::File, "SaveAs", "SaveAs...", 0, 0, true)                                                      \
    ROW(AppendTo, OnAppendTo, menu_id::kAppendTo, kNoId,                                                        \
        BarTitle::File, "Append To", "Append To...", 0, 0, true)                                                \
    ROW(Exit, OnExit, menu_id::kExit, kNoId,                                                                    \
        BarTitle::File, "Exit", "Exit\tCtrl + Esc", kVkEscape, kBarBreak | kContextBreak, false)                \
    ROW(WordWrap, OnWordWrap, menu_id::kWordWrap, control_id::kButtonWordWrap,                                  \
        BarTitle::Options, "Word Wrap", nullptr, 0, 0, true)                                                    \
    ROW(SetFont, OnSetFont, menu_id::kSetFont, kNoId,                                                           \
        BarTitle::Options, "Set Font", nullptr, 0, 0, false)                                                    \
    ROW(AlwaysOnTop, OnAlwaysOnTop, menu_id::kAlwaysOnTop, control_id::kButtonOnTop,                            \
        BarTitle::Options, "Always On Top", nullptr, 0, 0, true)                                                \
    ROW(TransparentMode, OnTransparentMode, menu_id::kTransparentMode, kNoId,                                   \
        BarTitle::Options, "Transparent Mode", nullptr, 0, kBarBreak, true)                                     \
    ROW(About, OnAbout, menu_id::kAbout, kNoId,                                                                 \
        BarTitle::Help, "About", nullptr, 0, 0, true)                                                           \
    ROW(ClearClipboard, OnClearClipboard, kNoId, control_id::kButtonClearClipboard,                             \
        BarTitle::None, nullptr, nullptr, 0, 0, true)                                                           \
    ROW(NoAction, OnHiddenButton, kNoId, control_id::kButtonHidden,                                             \
        BarTitle::None, nullptr, nullptr, 0, 0, true)
// clang-format on

#define QUILLET_ACTION_NAME(action, ...) action,
// What a command does. Several identifiers share an action (menu 0 and
// button 1 are both Open).
enum class Action { QUILLET_COMMANDS(QUILLET_ACTION_NAME) };
#undef QUILLET_ACTION_NAME

struct CommandRow {
    Action action;
    int menuId;
    int buttonId;
    BarTitle barTitle;
    const char* barText;
    const char* contextText;
    int ctrlKey;
    unsigned breaks;
    bool focusesEditor;
};

#define QUILLET_COMMAND_ROW(action, handler, ...) CommandRow{Action::action, __VA_ARGS__},
inline constexpr CommandRow kCommandRows[] = {QUILLET_COMMANDS(QUILLET_COMMAND_ROW)};
#undef QUILLET_COMMAND_ROW

inline constexpr std::size_t kActionCount = std::size(kCommandRows);

constexpr const CommandRow& RowOf(Action action) { return kCommandRows[static_cast<std::size_t>(action)]; }

// --- The menu-event and button-event tables.
struct CommandEntry {
    int id;
    Action action;
};

namespace commands_detail {

template <int CommandRow::*Id>
constexpr std::size_t CountIds() {
    std::size_t count = 0;
    for (const CommandRow& row : kCommandRows) count += row.*Id != kNoId ? 1 : 0;
    return count;
}

template <int CommandRow::*Id>
constexpr std::array<CommandEntry, CountIds<Id>()> EntriesFor() {
    std::array<CommandEntry, CountIds<Id>()> entries{};
    std::size_t at = 0;
    for (const CommandRow& row : kCommandRows) {
        if (row.*Id != kNoId) entries[at++] = {row.*Id, row.action};
    }
    return entries;
}

}  // namespace commands_detail

inline constexpr auto kMenuCommands = commands_detail::EntriesFor<&CommandRow::menuId>();
inline constexpr auto kButtonCommands = commands_detail::EntriesFor<&CommandRow::buttonId>();

// The action of a menu event or a button event; nothing for an identifier
// that is not in its table.
std::optional<Action> MenuAction(int id);
std::optional<Action> ButtonAction(int id);

// Whether the loop gives the keyboard focus back to the editor after a menu
// event with this action. Button events always get the focus step.
constexpr bool FocusesEditorAfterMenuEvent(Action action) { return RowOf(action).focusesEditor; }

// --- The menu bar: one entry of a menu is a command item, or a separator
// (text nullptr).
struct MenuItem {
    const char* text;
    int id;
};

struct MenuTitle {
    const char* title;
    const MenuItem* items;
    std::size_t itemCount;
};

namespace commands_detail {

constexpr std::size_t BarItemCount(BarTitle title) {
    std::size_t count = 0;
    for (const CommandRow& row : kCommandRows) {
        if (row.barTitle == title) count += (row.breaks & kBarBreak) ? 2 : 1;
    }
    return count;
}

template <BarTitle Title>
constexpr std::array<MenuItem, BarItemCount(Title)> BarItems() {
    std::array<MenuItem, BarItemCount(Title)> items{};
    std::size_t at = 0;
    for (const CommandRow& row : kCommandRows) {
        if (row.barTitle != Title) continue;
        if (row.breaks & kBarBreak) items[at++] = {nullptr, 0};
        items[at++] = {row.barText, row.menuId};
    }
    return items;
}

template <BarTitle Title>
inline constexpr auto kBarItems = BarItems<Title>();

template <BarTitle Title>
constexpr MenuTitle TitleOf(const char* text) {
    return {text, kBarItems<Title>.data(), kBarItems<Title>.size()};
}

constexpr std::size_t ContextItemCount() {
    std::size_t count = 0;
    for (const CommandRow& row : kCommandRows) {
        if (row.contextText) count += (row.breaks & kContextBreak) ? 2 : 1;
    }
    return count;
}

constexpr std::array<ContextMenuItem, ContextItemCount()> ContextItems() {
    std::array<ContextMenuItem, ContextItemCount()> items{};
    std::size_t at = 0;
    for (const CommandRow& row : kCommandRows) {
        if (!row.contextText) continue;
        if (row.breaks & kContextBreak) items[at++] = {nullptr, 0, 0};
        items[at++] = {row.contextText, row.menuId, row.ctrlKey};
    }
    return items;
}

}  // namespace commands_detail

// The menu bar, in order; the fifth title is empty and has no items.
inline constexpr std::array<MenuTitle, 5> kMenuBar{{
    commands_detail::TitleOf<BarTitle::File>("File"),
    commands_detail::TitleOf<BarTitle::Edit>("Edit"),
    commands_detail::TitleOf<BarTitle::Options>("Options"),
    commands_detail::TitleOf<BarTitle::Help>("Help"),
    {"", nullptr, 0},
}};

// The context menu, in order; an item with a shortcut registers it right
// after the item is added.
inline constexpr auto kContextMenu = commands_detail::ContextItems();

}  // namespace quillet
