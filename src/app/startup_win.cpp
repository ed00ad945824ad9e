#include "app/startup_win.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "app/event_loop_win.h"
#include "app/main_window_win.h"
#include "app/status_bar_win.h"
#include "document/open_document_win.h"
#include "document/recovery_offer_win.h"
#include "document/recovery_win.h"
#include "options/always_on_top_win.h"
#include "options/transparent_mode_win.h"
#include "options/word_wrap_win.h"
#include "platform/editor_control_win.h"
#include "platform/editor_text_win.h"
#include "platform/modal_win.h"
#include "program/settings_win.h"
#include "ui/window_geometry_win.h"

namespace quillet {
namespace {

void InitialiseProcess() {
    ::InitCommonControls();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::CoInitialize(nullptr);  // the shell's ShellExecuteEx wants COM
}

void ReportStartFailure() {
    ShowMessage("Quillet could not create its main window, so it cannot start.",
                "Quillet", MB_OK | MB_ICONERROR);
}

}  // namespace

bool StartUp(const std::string& settingsPath, const std::string& commandLine) {
    LoadButtonBitmaps();
    SetSettingsFilePath(settingsPath);
    CreateDefaultSettings(settingsPath);

    MainWindow& main = TheMainWindow();
    InstallStatusBarRefresh();
    if (!BuildMainWindow(main)) {
        ReportStartFailure();
        return false;
    }
    ::DragAcceptFiles(main.window, TRUE);
    // The pen's button is made with the others but never shown.
    if (HWND pen = main.buttons[control_id::kButtonHidden]) ::ShowWindow(pen, SW_HIDE);
    EnableLinkNotices(main.editor);
    EnableChangeNotices(main.editor);
    PlaceWindow(main.window, ReadStoredGeometry(settingsPath));
    ::ShowWindow(main.window, SW_SHOWNORMAL);
    LayoutMainWindow(main);
    const CommandContext context = ContextOf(main);
    // The three view switches, in this order, now that the window is shown.
    ApplyWordWrap(context);
    ApplyAlwaysOnTop(context);
    ApplyTransparentMode(context);
    BuildContextMenuAndShortcuts(main);
    SetModified(main.editor, false);
    StartRecovery(context);
    // Text a Quillet that is gone did not save comes first: the user decides.
    if (!OfferRecoveredText(context)) LoadCommandLineFile(context, commandLine);
    ::SetFocus(main.editor);
    RefreshStatusBar(main);
    return true;
}

int RunQuillet() {
    InitialiseProcess();
    if (!StartUp(LocateSettingsFile(), ::GetCommandLineA())) return 1;
    RunEventLoop();
    EndRecovery();
    return 0;
}

}  // namespace quillet
