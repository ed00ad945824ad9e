// The context menu and the shortcuts as start-up leaves them, read back from
// the system, and the main loop opening the menu on the right button.
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/event_loop_win.h"
#include "document_fixture.h"
#include "platform/message_loop_win.h"
#include "support/context_menu_table.h"

namespace quillet {
namespace {

using test::kExpectedContextMenu;
using test::kExpectedShortcuts;

TEST_F(DocumentTest, TheContextMenuHoldsItsItemsInOrder) {
    HMENU menu = TheMainWindow().contextMenu;
    MENUINFO about{};
    about.cbSize = sizeof about;
    about.fMask = MIM_MENUDATA;
    ASSERT_TRUE(::GetMenuInfo(menu, &about));
    EXPECT_EQ(2001u, about.dwMenuData);
    ASSERT_EQ(static_cast<int>(std::size(kExpectedContextMenu)), ::GetMenuItemCount(menu));
    for (UINT i = 0; i < std::size(kExpectedContextMenu); ++i) {
        char text[64] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = sizeof text;
        ASSERT_TRUE(::GetMenuItemInfoA(menu, i, TRUE, &item));
        const bool separator = kExpectedContextMenu[i].text == nullptr;
        EXPECT_EQ(static_cast<UINT>(separator ? MFT_SEPARATOR : MFT_STRING), item.fType) << i;
        EXPECT_EQ(nullptr, item.hSubMenu);
        if (separator) continue;
        EXPECT_STREQ(kExpectedContextMenu[i].text, text);
        EXPECT_EQ(static_cast<UINT>(kExpectedContextMenu[i].id), item.wID) << text;
        EXPECT_EQ(0u, item.fState) << text;  // never checked, greyed or disabled
    }
}

TEST_F(DocumentTest, TheAcceleratorTableHoldsTheFifteenCtrlKeys) {
    HACCEL shortcuts = TheMainWindow().shortcuts;
    const int count = ::CopyAcceleratorTableA(shortcuts, nullptr, 0);
    ASSERT_EQ(static_cast<int>(std::size(kExpectedShortcuts)), count);
    std::vector<ACCEL> entries(static_cast<std::size_t>(count));
    ::CopyAcceleratorTableA(shortcuts, entries.data(), count);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(test::kExpectedShortcutFlags, entries[i].fVirt) << i;
        EXPECT_EQ(kExpectedShortcuts[i].key, entries[i].key) << i;
        EXPECT_EQ(kExpectedShortcuts[i].id, entries[i].cmd) << i;
    }
}

// Posts the right button's press to target and runs the main loop until a
// second thread has looked for the menu (and closed it with Escape). The
// open menu's rectangle, or an empty one when none opened.
RECT MenuOpenedByRightButton(HWND target, DWORD waitMs) {
    RECT seen{};
    const DWORD loopThread = ::GetCurrentThreadId();
    std::thread watcher([&] {
        const DWORD start = ::GetTickCount();
        HWND menu = nullptr;
        const DWORD process = ::GetCurrentProcessId();
        while (!(menu = test::FindPopupMenu(process)) && ::GetTickCount() - start < waitMs) ::Sleep(10);
        if (menu) {
            ::GetWindowRect(menu, &seen);
            ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            while (test::FindPopupMenu(process) && ::GetTickCount() - start < 5000) ::Sleep(10);
        }
        ::PostThreadMessageA(loopThread, WM_QUIT, 0, 0);
    });
    ::PostMessageA(target, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    RunEventLoop();
    watcher.join();
    return seen;
}

TEST_F(DocumentTest, TheRightButtonOverTheWindowOrAnyControlOpensTheMenuAtThePointer) {
    const MainWindow& main = TheMainWindow();
    RECT editor{};
    ::GetWindowRect(main.editor, &editor);
    const POINT pointer{editor.left + 40, editor.top + 30};
    POINT now{};
    for (int attempt = 0; attempt < 20 && (now.x != pointer.x || now.y != pointer.y); ++attempt) {
        ::SetCursorPos(pointer.x, pointer.y);  // until the display's older reports are through
        test::PumpMessages(100);
        ::GetCursorPos(&now);
    }
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                   nullptr, nullptr);
    for (HWND target : {main.window, main.editor, main.statusBar, main.frame,
                        main.buttons[control_id::kButtonOpen], other}) {
        const RECT menu = MenuOpenedByRightButton(target, target == other ? 300 : 5000);
        const RECT expected = target == other ? RECT{} : RECT{pointer.x - 1, pointer.y - 1, 0, 0};
        EXPECT_EQ(expected.left, menu.left) << test::WindowText(target);
        EXPECT_EQ(expected.top, menu.top) << test::WindowText(target);
    }
    ::DestroyWindow(other);
}

}  // namespace
}  // namespace quillet
