#include "platform/link_opener_win.h"

#include "platform/link_rules.h"
#include "platform/system_calls_win.h"

namespace quillet {

bool OpenLink(const std::string& text) {
    if (!IsOpenableLink(text)) return false;
    return SystemCallsInUse().openInShell(ShellTargetForLink(text));
}

}  // namespace quillet
