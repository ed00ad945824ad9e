#include "options/view_switch_win.h"

#include "options/view_switch.h"
#include "platform/menu_check_win.h"
#include "program/settings_rules.h"
#include "program/settings_win.h"

namespace quillet {

void ApplyStoredSwitch(const CommandContext& context, const ViewSwitch& view) {
    const bool on = IsOn(ReadSetting(context.settingsPath, section::kDisplay, view.key));
    view.apply(context, on);
    SetMenuCheck(context.mainWindow, view.menuId, on);
}

void ToggleSwitch(const CommandContext& context, const ViewSwitch& view) {
    const SwitchStep step = ToggledSwitch(ReadSetting(context.settingsPath, section::kDisplay, view.key));
    SetMenuCheck(context.mainWindow, view.menuId, step.on);
    view.apply(context, step.on);
    WriteSetting(context.settingsPath, section::kDisplay, view.key, step.storedText);
}

}  // namespace quillet
