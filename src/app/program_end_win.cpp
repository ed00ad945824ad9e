#include "app/program_end_win.h"

#include "document/document_state_win.h"
#include "document/recovery_win.h"
#include "platform/editor_text_win.h"
#include "platform/function_by_name_win.h"
#include "ui/window_geometry_win.h"

namespace quillet {
namespace {

// Windows Vista and later show this reason beside the program when it holds
// up the end of the session; looked up by name, as older systems lack it.
void SetSessionEndBlocked(HWND window, bool blocked) {
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    if (blocked) {
        using CreateReasonFn = BOOL(WINAPI*)(HWND, LPCWSTR);
        if (auto create = FunctionByName<CreateReasonFn>(user32, "ShutdownBlockReasonCreate")) {
            create(window, L"The document has not been saved.");
        }
    } else {
        using DestroyReasonFn = BOOL(WINAPI*)(HWND);
        if (auto destroy = FunctionByName<DestroyReasonFn>(user32, "ShutdownBlockReasonDestroy")) destroy(window);
    }
}

// The answer to the last request to end the session.
bool& SessionEndAllowed() {
    static bool allowed = false;
    return allowed;
}

}  // namespace

bool RunCloseSequence(const CommandContext& context) {
    if (!OfferToSaveChanges(context)) return false;
    StoreGeometry(context.settingsPath, CurrentGeometry(context.mainWindow));
    ::PostQuitMessage(0);
    return true;
}

bool AllowSessionEnd(const CommandContext& context) {
    // From here the session may end the program at any moment: the text is
    // in its recovery copy before anything is asked.
    WriteRecoveryCopyNow(context);
    // While one of our dialogs waits for an answer, a save cannot start.
    const bool mayAsk = ::IsWindowEnabled(context.mainWindow) != FALSE;
    const bool allowed = mayAsk ? OfferToSaveChanges(context) : !IsModified(context.editor);
    SetSessionEndBlocked(context.mainWindow, !allowed);
    SessionEndAllowed() = allowed;
    return allowed;
}

void OnSessionEnd(const CommandContext& context, bool ending) {
    if (ending) {
        StoreGeometry(context.settingsPath, CurrentGeometry(context.mainWindow));
        // An end the user agreed to is a normal end; one forced past a
        // refusal keeps the copy for the next start.
        if (SessionEndAllowed()) EndRecovery();
    } else {
        SetSessionEndBlocked(context.mainWindow, false);
    }
}

void OnExit(const CommandContext& context) {
    if (!OfferToSaveChanges(context)) return;
    ::PostQuitMessage(0);
}

}  // namespace quillet
