// The program's commands and every table that names them: the menu-event and
// button-event tables, the menu bar, the context menu and the shortcuts.
// This is data only; the Win32 side maps each Action to its handler.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace quillet {

// What a command does. Several identifiers may share an action
// (menu 0 and button 1 are both Open).
enum class Action {
    Open,
    Insert,
    New,
    Save,
    SaveAs,
    AppendTo,
    Exit,
    Undo,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Delete,
    InsertDate,
    InsertTime,
    FindReplace,
    WordWrap,
    SetFont,
    AlwaysOnTop,
    TransparentMode,
    About,
    Print,
    ClearClipboard,
    NoAction,  // the hidden button: only the focus step
};
inline constexpr std::size_t kActionCount = static_cast<std::size_t>(Action::NoAction) + 1;

// Menu-event identifiers (menu bar, context menu, shortcuts).
namespace menu_id {
inline constexpr int kOpen = 0;
inline constexpr int kInsert = 1;
inline constexpr int kNew = 2;
inline constexpr int kSave = 13;
inline constexpr int kSaveAs = 14;
inline constexpr int kAppendTo = 15;
inline constexpr int kExit = 16;
inline constexpr int kUndo = 17;
inline constexpr int kCut = 18;
inline constexpr int kCopy = 19;
inline constexpr int kPaste = 20;
inline constexpr int kSelectAll = 21;
inline constexpr int kDelete = 22;
inline constexpr int kInsertDate = 23;
inline constexpr int kInsertTime = 24;
inline constexpr int kFindReplace = 25;
inline constexpr int kWordWrap = 26;
inline constexpr int kSetFont = 27;
inline constexpr int kAlwaysOnTop = 28;
inline constexpr int kTransparentMode = 29;
inline constexpr int kAbout = 31;
inline constexpr int kPrint = 2002;
}  // namespace menu_id

// Control identifiers of the main window's children.
namespace control_id {
inline constexpr int kFrame = 0;
inline constexpr int kButtonOpen = 1;
inline constexpr int kButtonSave = 2;
inline constexpr int kButtonWordWrap = 3;
inline constexpr int kButtonNew = 5;
inline constexpr int kButtonPaste = 6;
inline constexpr int kButtonOnTop = 7;
inline constexpr int kButtonClearClipboard = 8;
inline constexpr int kButtonCopy = 10;
inline constexpr int kButtonCut = 11;
inline constexpr int kButtonHidden = 12;
inline constexpr int kButtonPrint = 13;
inline constexpr int kButtonFind = 14;
inline constexpr int kEditor = 15;
inline constexpr int kContextMenu = 2001;
}  // namespace control_id

struct CommandEntry {
    int id;
    Action action;
};

extern const std::array<CommandEntry, 22> kMenuCommands;
extern const std::array<CommandEntry, 12> kButtonCommands;

// The action of a menu event or a button event; nothing for an identifier
// that is not in its table.
std::optional<Action> MenuAction(int id);
std::optional<Action> ButtonAction(int id);

// Whether the loop gives the keyboard focus back to the editor after a menu
// event with this action (every action but Set Font and Exit). Button events
// always get the focus step.
bool FocusesEditorAfterMenuEvent(Action action);

// One entry of a menu: a command item, or a separator (text nullptr).
struct MenuItem {
    const char* text;
    int id;
};

struct MenuTitle {
    const char* title;
    const MenuItem* items;
    std::size_t itemCount;
};

// The menu bar, in order; the fifth title is empty and has no items.
extern const std::array<MenuTitle, 5> kMenuBar;

// The context menu, in order; items with a shortcut register it right after.
struct ContextMenuItem {
    const char* text;  // nullptr for a separator
    int id;
    int virtualKey;    // the Ctrl+key shortcut, 0 for none
};
extern const std::array<ContextMenuItem, 25> kContextMenu;

}  // namespace quillet
