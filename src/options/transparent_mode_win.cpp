#include "options/transparent_mode_win.h"

#include "options/view_switch_win.h"
#include "platform/function_by_name_win.h"
#include "program/command_ids.h"
#include "program/settings_rules.h"

namespace quillet {
namespace {

constexpr BYTE kTransparentAlpha = 175;
constexpr BYTE kOpaqueAlpha = 255;

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Makes the window layered (it stays so) with a constant alpha. Where the
// system has no SetLayeredWindowAttributes only the style changes.
void SetWindowOpacity(HWND window, BYTE alpha) {
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    ::SetWindowLongPtrA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    // Looked up by name, so that the program starts on a system without it.
    const auto setAttributes = FunctionByName<SetLayeredWindowAttributesFn>(::GetModuleHandleA("user32.dll"),
                                                                            "SetLayeredWindowAttributes");
    if (setAttributes) setAttributes(window, 0, alpha, LWA_ALPHA);
}

void SetTransparent(const CommandContext& context, bool on) {
    SetWindowOpacity(context.mainWindow, on ? kTransparentAlpha : kOpaqueAlpha);
}

constexpr ViewSwitch kTransparentMode{key::kTransparent, menu_id::kTransparentMode, SetTransparent};

}  // namespace

void ApplyTransparentMode(const CommandContext& context) { ApplyStoredSwitch(context, kTransparentMode); }

void OnTransparentMode(const CommandContext& context) { ToggleSwitch(context, kTransparentMode); }

}  // namespace quillet
