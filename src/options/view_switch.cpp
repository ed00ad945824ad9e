#include "options/view_switch.h"

#include "program/settings_rules.h"

namespace quillet {

SwitchStep ToggledSwitch(std::string_view storedNow) {
    const bool on = !IsOn(storedNow);
    return {on, BoolText(on)};
}

}  // namespace quillet
