// The main window's list of keyboard shortcuts, from which its accelerator
// table is made.
#pragma once

#include <cstdint>
#include <vector>

namespace quillet {

// One entry, as an accelerator table holds it: the modifier flags, the key
// and the command identifier the key raises.
struct Shortcut {
    std::uint8_t flags;
    std::uint16_t key;
    std::uint16_t command;
    bool operator==(const Shortcut& other) const {
        return flags == other.flags && key == other.key && command == other.command;
    }
};

// Adds a shortcut at the end of the list. A key with the same flags that is
// in the list already keeps its place and takes the new command instead, so
// that a key never raises two commands.
void RegisterShortcut(std::vector<Shortcut>& list, const Shortcut& shortcut);

}  // namespace quillet
