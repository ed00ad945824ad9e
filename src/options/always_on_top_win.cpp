#include "options/always_on_top_win.h"

#include "options/view_switch_win.h"
#include "program/command_ids.h"
#include "program/settings_rules.h"

namespace quillet {
namespace {

void SetOnTop(const CommandContext& context, bool on) {
    // Place and size stay; the window is activated as it is placed.
    ::SetWindowPos(context.mainWindow, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE);
}

constexpr ViewSwitch kAlwaysOnTop{key::kOnTop, menu_id::kAlwaysOnTop, SetOnTop};

}  // namespace

void ApplyAlwaysOnTop(const CommandContext& context) { ApplyStoredSwitch(context, kAlwaysOnTop); }

void OnAlwaysOnTop(const CommandContext& context) { ToggleSwitch(context, kAlwaysOnTop); }

}  // namespace quillet
