// The one place that maps each action to its handler.
#include "app/command_handlers_win.h"

#include <array>

#include "about/about_window_win.h"
#include "app/program_end_win.h"
#include "document/append_to_file_win.h"
#include "document/document_state_win.h"
#include "document/insert_file_win.h"
#include "document/open_document_win.h"
#include "document/print_document_win.h"
#include "document/save_document_win.h"
#include "editing/date_time_win.h"
#include "editing/edit_commands_win.h"
#include "editing/find_replace_win.h"
#include "options/always_on_top_win.h"
#include "options/editor_font_win.h"
#include "options/transparent_mode_win.h"
#include "options/word_wrap_win.h"

namespace quillet {
namespace {

// The hidden button: nothing beyond the focus step.
void DoNothing(const CommandContext&) {}

struct HandlerEntry {
    Action action;
    CommandHandler handler;
};

constexpr std::array<HandlerEntry, kActionCount> kHandlers{{
    {Action::Open, OnOpen},
    {Action::Insert, OnInsert},
    {Action::New, OnNew},
    {Action::Save, OnSave},
    {Action::SaveAs, OnSaveAs},
    {Action::AppendTo, OnAppendTo},
    {Action::Exit, OnExit},
    {Action::Undo, OnUndo},
    {Action::Cut, OnCut},
    {Action::Copy, OnCopy},
    {Action::Paste, OnPaste},
    {Action::SelectAll, OnSelectAll},
    {Action::Delete, OnDelete},
    {Action::InsertDate, OnInsertDate},
    {Action::InsertTime, OnInsertTime},
    {Action::FindReplace, OnFindReplace},
    {Action::WordWrap, OnWordWrap},
    {Action::SetFont, OnSetFont},
    {Action::AlwaysOnTop, OnAlwaysOnTop},
    {Action::TransparentMode, OnTransparentMode},
    {Action::About, OnAbout},
    {Action::Print, OnPrint},
    {Action::ClearClipboard, OnClearClipboard},
    {Action::NoAction, DoNothing},
}};

constexpr bool HandlersInActionOrder() {
    for (std::size_t i = 0; i < kHandlers.size(); ++i) {
        if (static_cast<std::size_t>(kHandlers[i].action) != i) return false;
    }
    return true;
}
static_assert(HandlersInActionOrder(), "kHandlers must list every action once, in order");

void FocusEditor(const CommandContext& context) { ::SetFocus(context.editor); }

}  // namespace

CommandHandler HandlerFor(Action action) {
    return kHandlers[static_cast<std::size_t>(action)].handler;
}

void DispatchMenuEvent(const CommandContext& context, int id) {
    const std::optional<Action> action = MenuAction(id);
    if (!action) return;
    HandlerFor(*action)(context);
    if (FocusesEditorAfterMenuEvent(*action)) FocusEditor(context);
}

void DispatchButtonEvent(const CommandContext& context, int id) {
    const std::optional<Action> action = ButtonAction(id);
    if (!action) return;
    HandlerFor(*action)(context);
    FocusEditor(context);
}

}  // namespace quillet
