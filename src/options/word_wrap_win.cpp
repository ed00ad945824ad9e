#include "options/word_wrap_win.h"

#include "options/view_switch_win.h"
#include "platform/editor_change_note.h"
#include "platform/editor_view_win.h"
#include "platform/wait_cursor_win.h"
#include "program/command_ids.h"
#include "program/settings_rules.h"

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
