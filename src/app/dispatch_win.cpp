// The one place that reads the handler column of the command rows.
#include "app/dispatch_win.h"

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
#include "program/command_guard_win.h"

namespace quillet {
namespace {

// The hidden button: nothing beyond the focus step.
void OnHiddenButton(const CommandContext&) {}

#define QUILLET_COMMAND_HANDLER(action, handler, ...) handler,
constexpr CommandHandler kHandlers[] = {QUILLET_COMMANDS(QUILLET_COMMAND_HANDLER)};
#undef QUILLET_COMMAND_HANDLER
static_assert(std::size(kHandlers) == kActionCount, "one handler for every command row");

CommandHandler HandlerFor(Action action) { return kHandlers[static_cast<std::size_t>(action)]; }

void FocusEditor(const CommandContext& context) { ::SetFocus(context.editor); }

}  // namespace

void DispatchMenuEvent(const CommandContext& context, int id) {
    const std::optional<Action> found = MenuAction(id);
    if (!found) return;
    const Action action = *found;
    RunGuarded([&] { HandlerFor(action)(context); });
    if (FocusesEditorAfterMenuEvent(action)) FocusEditor(context);
}

void DispatchButtonEvent(const CommandContext& context, int id) {
    const std::optional<Action> action = ButtonAction(id);
    if (!action) return;
    RunGuarded([&] { HandlerFor(*action)(context); });
    FocusEditor(context);
}

}  // namespace quillet
