#include "app/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/commands.h"
#include "app/dispatch_win.h"
#include "app/program_end_win.h"
#include "document/recovery_win.h"
#include "document/path_rules.h"
#include "editing/replace_all_win.h"
#include "platform/editor_change_note.h"
#include "platform/editor_control_win.h"
#include "platform/kept_undo_win.h"
#include "platform/message_loop_win.h"
#include "platform/modal_win.h"
#include "platform/window_parts_win.h"
#include "program/resource_ids.h"
#include "program/settings_win.h"
#include "ui/dropped_files_win.h"
#include "ui/layout.h"
#include "ui/links_win.h"
#include "ui/shortcuts_win.h"

namespace quillet {
namespace {

constexpr int kCreationX = 235;
constexpr int kCreationY = 204;
constexpr int kCreationClientWidth = 601;
constexpr int kCreationClientHeight = 384;

std::array<HBITMAP, control_id::kMaxButton + 1>& ButtonBitmaps() {
    static std::array<HBITMAP, control_id::kMaxButton + 1> bitmaps{};
    return bitmaps;
}

HWND CreateChild(HWND parent, const char* className, DWORD style, const Rect& place, int id) {
    return CreateChildWindow(parent, className, "", style, 0, place.x, place.y, place.width, place.height, id);
}

HMENU BuildMenuBar() {
    HMENU bar = ::CreateMenu();
    if (!bar) return nullptr;
    for (const MenuTitle& title : kMenuBar) {
        HMENU popup = ::CreatePopupMenu();
        for (std::size_t i = 0; popup && i < title.itemCount; ++i) {
            const MenuItem& item = title.items[i];
            if (item.text) {
                ::AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
            } else {
                ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
            }
        }
        ::AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), title.title);
    }
    return bar;
}

void CreateButtons(MainWindow& main) {
    for (const ButtonPlace& place : kButtons) {
        HWND button = CreateChild(main.window, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP,
                                  {place.xAtCreation, kButtonTop, kButtonSize, kButtonSize}, place.id);
        if (!button) continue;
        ::SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(ButtonBitmaps()[place.id]));
        main.buttons[place.id] = button;
    }
}

bool IsImageButton(const MainWindow& main, HWND control, int id) {
    return id >= 0 && id <= control_id::kMaxButton && control && main.buttons[id] == control;
}

void OnCommand(MainWindow& main, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control == main.editor) {
        if (control && HIWORD(wParam) == EN_CHANGE) NoteEditorChanged();
        // The editor's own Undo, for the step the program keeps: taken here
        // because it puts a fresh editor in the old one's place.
        if (control && HIWORD(wParam) == kKeptUndoNotice) UndoReplaceAll(main.editor);
        return;
    }
    // While a dialog or a tool window is up, commands are taken and dropped.
    if (InModalScope()) return;
    if (!control) {
        DispatchMenuEvent(ContextOf(main), id);  // menu item or shortcut
    } else if (HIWORD(wParam) == BN_CLICKED && IsImageButton(main, control, id)) {
        DispatchButtonEvent(ContextOf(main), id);
    }
}

void OnDrop(MainWindow& main, HDROP drop) {
    if (InModalScope()) {
        ::DragFinish(drop);
        return;
    }
    OnDroppedFiles(ContextOf(main), drop);
}

void OnDestroy(MainWindow& main) {
    StopRecovery();
    InstallShortcuts(nullptr, nullptr);
    if (main.shortcuts) ::DestroyAcceleratorTable(main.shortcuts);
    if (main.contextMenu) ::DestroyMenu(main.contextMenu);
    main.shortcuts = nullptr;
    main.contextMenu = nullptr;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow& main = TheMainWindow();
    if (window != main.window) return ::DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        OnCommand(main, wParam, lParam);
        if (reinterpret_cast<HWND>(lParam) != main.editor) WatchRecovery(ContextOf(main));
        return 0;
    case WM_DROPFILES:
        OnDrop(main, reinterpret_cast<HDROP>(wParam));
        WatchRecovery(ContextOf(main));
        return 0;
    case WM_NOTIFY:
        // Looked at, never consumed: the sender gets the normal result.
        if (lParam) OnEditorLinkNotice(main.editor, *reinterpret_cast<const NMHDR*>(lParam));
        return ::DefWindowProcA(window, message, wParam, lParam);
    case WM_SIZE:
        // The status bar keeps itself at the bottom when told of the resize.
        if (main.statusBar) ::SendMessageA(main.statusBar, WM_SIZE, wParam, lParam);
        if (wParam != SIZE_MINIMIZED && main.editor) LayoutMainWindow(main);
        return 0;
    case WM_CLOSE:
        if (!InModalScope()) RunCloseSequence(ContextOf(main));
        WatchRecovery(ContextOf(main));
        return 0;
    case WM_QUERYENDSESSION:
        return AllowSessionEnd(ContextOf(main)) ? TRUE : FALSE;
    case WM_ENDSESSION:
        OnSessionEnd(ContextOf(main), wParam != FALSE);
        return 0;
    case WM_DESTROY:
        OnDestroy(main);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterMainWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hIcon = ::LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(QUILLET_ICON));
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterWindowClassOnce(windowClass);
}

}  // namespace

MainWindow& TheMainWindow() {
    static MainWindow main;
    return main;
}

CommandContext ContextOf(MainWindow& main) { return {main.window, main.editor, SettingsFilePath()}; }

void LoadButtonBitmaps() {
    for (const ButtonPlace& place : kButtons) {
        HBITMAP& bitmap = ButtonBitmaps()[place.id];
        if (bitmap) continue;
        bitmap = static_cast<HBITMAP>(::LoadImageA(ProgramInstance(),
                                                   MAKEINTRESOURCEA(QUILLET_BUTTON_BITMAP_BASE + place.id),
                                                   IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    }
}

bool BuildMainWindow(MainWindow& main) {
    main = MainWindow{};
    if (!RegisterMainWindowClass()) return false;
    RECT frame{0, 0, kCreationClientWidth, kCreationClientHeight};
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const std::string title = TitleForPath(kUntitledPath);
    main.window = ::CreateWindowExA(0, kMainWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, kCreationX,
                                    kCreationY, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                    nullptr, ProgramInstance(), nullptr);
    if (!main.window) return false;
    if (HMENU bar = BuildMenuBar()) ::SetMenu(main.window, bar);

    main.statusBar = ::CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", main.window, control_id::kStatusBar);
    if (main.statusBar) SetControlFont(main.statusBar);
    main.frame = CreateChild(main.window, "BUTTON", BS_GROUPBOX | WS_GROUP, kFrameAtCreation, control_id::kFrame);
    CreateButtons(main);
    const Rect& e = kEditorAtCreation;
    main.editor = CreateEditor(main.window, control_id::kEditor, e.x, e.y, e.width, e.height);
    if (!main.editor) {
        ::DestroyWindow(main.window);
        main = MainWindow{};
        return false;
    }
    return true;
}

void BuildContextMenuAndShortcuts(MainWindow& main) {
    const ContextMenuAndShortcuts made = MakeContextMenuAndShortcuts(kContextMenu.data(), kContextMenu.size());
    main.contextMenu = made.menu;
    main.shortcuts = made.shortcuts;
    if (main.shortcuts) InstallShortcuts(main.window, main.shortcuts);
}

void LayoutMainWindow(const MainWindow& main) {
    RECT client{};
    ::GetClientRect(main.window, &client);
    RECT status{};
    if (main.statusBar) ::GetWindowRect(main.statusBar, &status);
    RECT editor{};
    ::GetWindowRect(main.editor, &editor);
    ::MapWindowPoints(nullptr, main.window, reinterpret_cast<POINT*>(&editor), 2);

    const LayoutResult layout = ComputeLayout(
        {client.right, client.bottom, static_cast<int>(status.bottom - status.top), static_cast<int>(editor.top)});
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    constexpr UINT kKeepSize = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(main.editor, nullptr, 0, 0, layout.editorWidth, layout.editorHeight, kKeepPlace);
    if (main.frame) {
        ::SetWindowPos(main.frame, nullptr, 0, 0, layout.frameWidth, kFrameAtCreation.height, kKeepPlace);
    }
    for (const ButtonX& button : layout.rightButtons) {
        if (HWND handle = main.buttons[button.id]) {
            ::SetWindowPos(handle, nullptr, button.x, kButtonTop, 0, 0, kKeepSize);
        }
    }
}

void OpenContextMenuOnRightButton(const MainWindow& main, const MSG& message) {
    if (message.message != WM_RBUTTONDOWN || !main.window) return;
    if (message.hwnd == main.window || ::IsChild(main.window, message.hwnd)) {
        ShowContextMenu(main.window, main.contextMenu);
    }
}

}  // namespace quillet
