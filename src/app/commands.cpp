#include "app/commands.h"

#include <iterator>

namespace quillet {

const std::array<CommandEntry, 22> kMenuCommands{{
    {menu_id::kOpen, Action::Open},
    {menu_id::kInsert, Action::Insert},
    {menu_id::kNew, Action::New},
    {menu_id::kSave, Action::Save},
    {menu_id::kSaveAs, Action::SaveAs},
    {menu_id::kAppendTo, Action::AppendTo},
    {menu_id::kExit, Action::Exit},
    {menu_id::kUndo, Action::Undo},
    {menu_id::kCut, Action::Cut},
    {menu_id::kCopy, Action::Copy},
    {menu_id::kPaste, Action::Paste},
    {menu_id::kSelectAll, Action::SelectAll},
    {menu_id::kDelete, Action::Delete},
    {menu_id::kInsertDate, Action::InsertDate},
    {menu_id::kInsertTime, Action::InsertTime},
    {menu_id::kFindReplace, Action::FindReplace},
    {menu_id::kWordWrap, Action::WordWrap},
    {menu_id::kSetFont, Action::SetFont},
    {menu_id::kAlwaysOnTop, Action::AlwaysOnTop},
    {menu_id::kTransparentMode, Action::TransparentMode},
    {menu_id::kAbout, Action::About},
    {menu_id::kPrint, Action::Print},
}};

const std::array<CommandEntry, 12> kButtonCommands{{
    {control_id::kButtonOpen, Action::Open},
    {control_id::kButtonSave, Action::Save},
    {control_id::kButtonWordWrap, Action::WordWrap},
    {control_id::kButtonNew, Action::New},
    {control_id::kButtonPaste, Action::Paste},
    {control_id::kButtonOnTop, Action::AlwaysOnTop},
    {control_id::kButtonClearClipboard, Action::ClearClipboard},
    {control_id::kButtonCopy, Action::Copy},
    {control_id::kButtonCut, Action::Cut},
    {control_id::kButtonHidden, Action::NoAction},
    {control_id::kButtonPrint, Action::Print},
    {control_id::kButtonFind, Action::FindReplace},
}};

namespace {

template <std::size_t N>
std::optional<Action> Lookup(const std::array<CommandEntry, N>& table, int id) {
    for (const CommandEntry& entry : table) {
        if (entry.id == id) {
            return entry.action;
        }
    }
    return std::nullopt;
}

constexpr MenuItem kSeparator{nullptr, 0};

constexpr MenuItem kFileItems[] = {
    {"Open", menu_id::kOpen},       {"Insert", menu_id::kInsert},
    {"New", menu_id::kNew},         kSeparator,
    {"Save", menu_id::kSave},       {"SaveAs", menu_id::kSaveAs},
    {"Append To", menu_id::kAppendTo}, kSeparator,
    {"Exit", menu_id::kExit},
};

constexpr MenuItem kEditItems[] = {
    {"Undo", menu_id::kUndo},
    kSeparator,
    {"Cut", menu_id::kCut},
    {"Copy", menu_id::kCopy},
    {"Paste", menu_id::kPaste},
    {"Select All", menu_id::kSelectAll},
    kSeparator,
    {"Delete", menu_id::kDelete},
    kSeparator,
    {"Insert Date", menu_id::kInsertDate},
    {"Insert Time", menu_id::kInsertTime},
    kSeparator,
    {"Find/Replace", menu_id::kFindReplace},
};

constexpr MenuItem kOptionsItems[] = {
    {"Word Wrap", menu_id::kWordWrap},
    {"Set Font", menu_id::kSetFont},
    {"Always On Top", menu_id::kAlwaysOnTop},
    kSeparator,
    {"Transparent Mode", menu_id::kTransparentMode},
};

constexpr MenuItem kHelpItems[] = {
    {"About", menu_id::kAbout},
};

constexpr int kVkEscape = 0x1B;

}  // namespace

std::optional<Action> MenuAction(int id) { return Lookup(kMenuCommands, id); }

std::optional<Action> ButtonAction(int id) { return Lookup(kButtonCommands, id); }

bool FocusesEditorAfterMenuEvent(Action action) {
    // Set Font leaves the focus where its dialog put it, and Exit ends the run.
    return action != Action::SetFont && action != Action::Exit;
}

const std::array<MenuTitle, 5> kMenuBar{{
    {"File", kFileItems, std::size(kFileItems)},
    {"Edit", kEditItems, std::size(kEditItems)},
    {"Options", kOptionsItems, std::size(kOptionsItems)},
    {"Help", kHelpItems, std::size(kHelpItems)},
    {"", nullptr, 0},
}};

const std::array<ContextMenuItem, 25> kContextMenu{{
    {"Undo\tCtrl + Z", menu_id::kUndo, 'Z'},
    {nullptr, 0, 0},
    {"Cut\tCtrl + X", menu_id::kCut, 'X'},
    {"Copy\tCtrl + C", menu_id::kCopy, 'C'},
    {"Paste\tCtrl + V", menu_id::kPaste, 'V'},
    {"Select All\tCtrl + A", menu_id::kSelectAll, 'A'},
    {nullptr, 0, 0},
    {"Erase\tCtrl + E", menu_id::kDelete, 'E'},
    {nullptr, 0, 0},
    {"Insert Date\tCtrl + D", menu_id::kInsertDate, 'D'},
    {"Insert Time\tCtrl + T", menu_id::kInsertTime, 'T'},
    {nullptr, 0, 0},
    {"Find/Replace\tCtrl + F", menu_id::kFindReplace, 'F'},
    {nullptr, 0, 0},
    {"Open...\tCtrl + O", menu_id::kOpen, 'O'},
    {"Insert...\tCtrl + I", menu_id::kInsert, 'I'},
    {"New...\tCtrl + N", menu_id::kNew, 'N'},
    {nullptr, 0, 0},
    {"Print...\tCtrl + P", menu_id::kPrint, 'P'},
    {nullptr, 0, 0},
    {"Save...\tCtrl + S", menu_id::kSave, 'S'},
    {"SaveAs...", menu_id::kSaveAs, 0},
    {"Append To...", menu_id::kAppendTo, 0},
    {nullptr, 0, 0},
    {"Exit\tCtrl + Esc", menu_id::kExit, kVkEscape},
}};

}  // namespace quillet
