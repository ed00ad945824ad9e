// The rule the three view switches (word wrap, always on top, transparent
// mode) share: the stored text is their only state, and exactly "true" is on.
#pragma once

#include <string_view>

namespace quillet {

// What a switch's command does, decided from the text stored now: the state
// it sets and the text it stores for it.
struct SwitchStep {
    bool on;
    const char* storedText;
};
SwitchStep ToggledSwitch(std::string_view storedNow);

}  // namespace quillet
