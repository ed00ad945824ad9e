#include "ui/main_window_win.h"

#include <commctrl.h>

#include "app/commands.h"
#include "app/resource_ids.h"
#include "document/path_rules.h"
#include "platform/editor_control_win.h"
#include "platform/window_parts_win.h"
#include "ui/layout.h"

namespace quillet {
namespace {

constexpr int kCreationX = 235;
constexpr int kCreationY = 204;
constexpr int kCreationClientWidth = 601;
constexpr int kCreationClientHeight = 384;

std::array<HBITMAP, kMaxButtonId + 1>& ButtonBitmaps() {
    static std::array<HBITMAP, kMaxButtonId + 1> bitmaps{};
    return bitmaps;
}

HINSTANCE Instance() { return ::GetModuleHandleA(nullptr); }

void UseDefaultGuiFont(HWND control) {
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
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

bool RegisterMainWindowClass(WNDPROC windowProc) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExA(Instance(), kMainWindowClass, &existing)) {
        if (existing.lpfnWndProc == windowProc) return true;
        ::UnregisterClassA(kMainWindowClass, Instance());  // tests build with other handlers
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = Instance();
    windowClass.hIcon = ::LoadIconA(Instance(), MAKEINTRESOURCEA(QUILLET_ICON));
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return ::RegisterClassExA(&windowClass) != 0;
}

void CreateButtons(MainWindow& main) {
    for (const ButtonPlace& place : kButtons) {
        HWND button = CreateChild(main.window, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP,
                                  {place.xAtCreation, kButtonTop, kButtonSize, kButtonSize}, place.id);
        if (!button) continue;
        ::SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP,
                       reinterpret_cast<LPARAM>(ButtonBitmaps()[place.id]));
        main.buttons[place.id] = button;
    }
}

}  // namespace

MainWindow& TheMainWindow() {
    static MainWindow main;
    return main;
}

void LoadButtonBitmaps() {
    for (const ButtonPlace& place : kButtons) {
        HBITMAP& bitmap = ButtonBitmaps()[place.id];
        if (bitmap) continue;
        bitmap = static_cast<HBITMAP>(::LoadImageA(
            Instance(), MAKEINTRESOURCEA(QUILLET_BUTTON_BITMAP_BASE + place.id), IMAGE_BITMAP, 0, 0,
            LR_DEFAULTCOLOR));
    }
}

bool BuildMainWindow(MainWindow& main, WNDPROC windowProc) {
    main = MainWindow{};
    if (!RegisterMainWindowClass(windowProc)) return false;
    RECT frame{0, 0, kCreationClientWidth, kCreationClientHeight};
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const std::string title = TitleForPath(kUntitledPath);
    main.window = ::CreateWindowExA(0, kMainWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                                    kCreationX, kCreationY, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr, Instance(), nullptr);
    if (!main.window) return false;
    if (HMENU bar = BuildMenuBar()) ::SetMenu(main.window, bar);

    main.statusBar = ::CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", main.window, kStatusBarId);
    if (main.statusBar) UseDefaultGuiFont(main.statusBar);
    main.frame = CreateChild(main.window, "BUTTON", BS_GROUPBOX | WS_GROUP, kFrameAtCreation,
                             control_id::kFrame);
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

void LayoutMainWindow(const MainWindow& main) {
    RECT client{};
    ::GetClientRect(main.window, &client);
    RECT status{};
    if (main.statusBar) ::GetWindowRect(main.statusBar, &status);
    RECT editor{};
    ::GetWindowRect(main.editor, &editor);
    ::MapWindowPoints(nullptr, main.window, reinterpret_cast<POINT*>(&editor), 2);

    const LayoutResult layout = ComputeLayout(
        {client.right, client.bottom, static_cast<int>(status.bottom - status.top),
         static_cast<int>(editor.top)});
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    constexpr UINT kKeepSize = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(main.editor, nullptr, 0, 0, layout.editorWidth, layout.editorHeight, kKeepPlace);
    if (main.frame) {
        ::SetWindowPos(main.frame, nullptr, 0, 0, layout.frameWidth, kFrameAtCreation.height,
                       kKeepPlace);
    }
    for (const ButtonX& button : layout.rightButtons) {
        if (HWND handle = main.buttons[button.id]) {
            ::SetWindowPos(handle, nullptr, button.x, kButtonTop, 0, 0, kKeepSize);
        }
    }
}

}  // namespace quillet
