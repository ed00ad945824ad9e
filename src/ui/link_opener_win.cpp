#include "ui/link_opener_win.h"

#include <windows.h>

#include <shellapi.h>

#include "ui/link_rules.h"

namespace quillet {
namespace {

bool OpenWithShell(const std::string& target) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "Open";
    info.lpFile = target.c_str();
    info.lpParameters = "";
    info.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExA(&info)) return false;
    if (info.hProcess) ::CloseHandle(info.hProcess);
    return true;
}

ShellOpenFn& ShellOpen() {
    static ShellOpenFn open = OpenWithShell;
    return open;
}

}  // namespace

bool OpenLink(const std::string& text) {
    if (!IsOpenableLink(text)) return false;
    return ShellOpen()(ShellTargetForLink(text));
}

void SetShellOpenForTesting(ShellOpenFn open) { ShellOpen() = open ? open : OpenWithShell; }

}  // namespace quillet
