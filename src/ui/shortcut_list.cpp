#include "ui/shortcut_list.h"

namespace quillet {

void RegisterShortcut(std::vector<Shortcut>& list, const Shortcut& shortcut) {
    for (Shortcut& existing : list) {
        if (existing.key == shortcut.key && existing.flags == shortcut.flags) {
            existing.command = shortcut.command;
            return;
        }
    }
    list.push_back(shortcut);
}

}  // namespace quillet
