#include "options/word_wrap_win.h"

#include "app/commands.h"
#include "app/settings_rules.h"
#include "app/status_bar_win.h"
#include "options/view_switch_win.h"
#include "platform/editor_control_win.h"
#include "platform/wait_cursor_win.h"

namespace quillet {
namespace {

void SetWrap(const CommandContext& context, bool on) {
    WaitCursor wait;  // the control lays the whole document out again
    SetWordWrap(context.editor, on);
    NoteEditorChanged();  // the lines moved without an edit
}

constexpr ViewSwitch kWordWrap{key::kWordWrap, menu_id::kWordWrap, SetWrap};

}  // namespace

void ApplyWordWrap(const CommandContext& context) { ApplyStoredSwitch(context, kWordWrap); }

void OnWordWrap(const CommandContext& context) { ToggleSwitch(context, kWordWrap); }

}  // namespace quillet
