#include "program/command_guard_win.h"

#include <windows.h>

#include "platform/modal_win.h"

namespace quillet {

void ReportOutOfMemory() {
    constexpr char kCaption[] = "Quillet";
    constexpr UINT kStyle = MB_OK | MB_ICONWARNING;
    try {
        ShowMessage(kOutOfMemoryText, kCaption, kStyle);
    } catch (const std::bad_alloc&) {
        ::MessageBoxA(ProgramOwnerWindow(), kOutOfMemoryText, kCaption, kStyle);
    }
}

}  // namespace quillet
