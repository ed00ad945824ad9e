// The main window as built: title, children and their places, menu bar,
// button pictures and icon.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "support/main_window_probe.h"

namespace quillet {
namespace {

using test::Place;
using test::PlaceInParent;

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE)); }

SIZE BitmapSize(HGDIOBJ bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

struct ExpectedButton {
    int id;
    int x;
    SIZE bitmap;
};

// In creation order.
const ExpectedButton kExpectedButtons[] = {
    {1, 30, {24, 24}},   {2, 55, {24, 24}},   {3, 230, {16, 12}},  {5, 5, {24, 24}},
    {6, 570, {24, 24}},  {7, 255, {17, 17}},  {8, 490, {24, 24}},  {10, 545, {24, 24}},
    {11, 520, {24, 24}}, {12, 280, {18, 16}}, {13, 205, {24, 24}}, {14, 180, {24, 24}},
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadButtonBitmaps();
        ASSERT_TRUE(BuildMainWindow(TheMainWindow()));
    }
    void TearDown() override {
        ::DestroyWindow(main_.window);
        main_ = MainWindow{};
    }
    MainWindow& main_ = TheMainWindow();
};

TEST_F(MainWindowTest, IsBuiltHiddenWithTheUntitledTitle) {
    EXPECT_EQ(test::WindowText(main_.window), "Quillet - Untitled.txt");
    EXPECT_EQ(ClassOf(main_.window), kMainWindowClass);
    EXPECT_EQ(StyleOf(main_.window) & WS_OVERLAPPEDWINDOW, DWORD(WS_OVERLAPPEDWINDOW));
    EXPECT_FALSE(::IsWindowVisible(main_.window));
    EXPECT_EQ(::GetParent(main_.window), nullptr);

    RECT outer{};
    ::GetWindowRect(main_.window, &outer);
    EXPECT_EQ(outer.left, 235);
    EXPECT_EQ(outer.top, 204);
    // 601 by 384 before the menu bar took its line.
    const SIZE client = test::ClientSize(main_.window);
    EXPECT_EQ(client.cx, 601);
    EXPECT_EQ(client.cy, 384 - ::GetSystemMetrics(SM_CYMENU));
}

TEST_F(MainWindowTest, ChildrenComeInCreationOrder) {
    std::vector<std::string> children;
    for (HWND child = ::GetWindow(main_.window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::string name = ClassOf(child);
        children.push_back(child == main_.statusBar ? name : name + ":" + std::to_string(::GetDlgCtrlID(child)));
    }
    const std::vector<std::string> expected{
        "msctls_statusbar32",
        "Button:0", "Button:1", "Button:2", "Button:3", "Button:5", "Button:6", "Button:7",
        "Button:8", "Button:10", "Button:11", "Button:12", "Button:13", "Button:14",
        "RichEdit20A:15"};
    EXPECT_EQ(children, expected);

    EXPECT_EQ(::GetDlgItem(main_.window, 15), main_.editor);
    EXPECT_EQ(::GetDlgItem(main_.window, 0), main_.frame);
    for (const ExpectedButton& button : kExpectedButtons) {
        EXPECT_EQ(::GetDlgItem(main_.window, button.id), main_.buttons[button.id]) << button.id;
    }
    EXPECT_EQ(main_.buttons[4], nullptr);
    EXPECT_EQ(main_.buttons[9], nullptr);
}

TEST_F(MainWindowTest, ChildrenStartAtTheirCreationPlaces) {
    EXPECT_EQ(PlaceInParent(main_.frame), (Place{0, -5, 600, 40}));
    EXPECT_EQ(PlaceInParent(main_.editor), (Place{0, 35, 600, 305}));
    for (const ExpectedButton& button : kExpectedButtons) {
        EXPECT_EQ(PlaceInParent(main_.buttons[button.id]), (Place{button.x, 5, 24, 24})) << "button " << button.id;
    }
}

TEST_F(MainWindowTest, EveryChildUsesTheDefaultGuiFont) {
    const auto font = reinterpret_cast<LRESULT>(::GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(::SendMessageA(main_.statusBar, WM_GETFONT, 0, 0), font);
    EXPECT_EQ(::SendMessageA(main_.frame, WM_GETFONT, 0, 0), font);
    for (const ExpectedButton& button : kExpectedButtons) {
        EXPECT_EQ(::SendMessageA(main_.buttons[button.id], WM_GETFONT, 0, 0), font) << button.id;
    }
}

TEST_F(MainWindowTest, FrameIsAnEmptyGroupBox) {
    const DWORD style = StyleOf(main_.frame);
    EXPECT_EQ(style & BS_TYPEMASK, DWORD(BS_GROUPBOX));
    EXPECT_TRUE(style & WS_GROUP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_EQ(test::WindowText(main_.frame), "");
}

TEST_F(MainWindowTest, ButtonsArePushButtonsShowingTheirPictures) {
    for (const ExpectedButton& button : kExpectedButtons) {
        HWND handle = main_.buttons[button.id];
        SCOPED_TRACE("button " + std::to_string(button.id));
        const DWORD style = StyleOf(handle);
        EXPECT_EQ(style & BS_TYPEMASK, DWORD(BS_PUSHBUTTON));
        EXPECT_TRUE(style & BS_BITMAP);
        EXPECT_TRUE(style & WS_TABSTOP);
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_EQ(test::WindowText(handle), "");
        const auto bitmap = reinterpret_cast<HGDIOBJ>(::SendMessageA(handle, BM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(bitmap, nullptr);
        const SIZE size = BitmapSize(bitmap);
        EXPECT_EQ(size.cx, button.bitmap.cx);
        EXPECT_EQ(size.cy, button.bitmap.cy);
    }
}

TEST_F(MainWindowTest, EditorIsTheRichTextControl) {
    EXPECT_EQ(ClassOf(main_.editor), "RichEdit20A");
    EXPECT_EQ(::GetDlgCtrlID(main_.editor), 15);
    const DWORD style = StyleOf(main_.editor);
    const DWORD wanted = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                         ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL | ES_DISABLENOSCROLL;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_TRUE(::GetWindowLongPtrA(main_.editor, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(::GetWindowTextLengthA(main_.editor), 0);
}

TEST_F(MainWindowTest, StatusBarIsOneEmptyFieldAlongTheBottom) {
    EXPECT_EQ(ClassOf(main_.statusBar), STATUSCLASSNAMEA);
    EXPECT_EQ(::SendMessageA(main_.statusBar, SB_GETPARTS, 0, 0), 1);
    EXPECT_EQ(test::StatusBarText(main_.statusBar), "");
    const SIZE client = test::ClientSize(main_.window);
    const Place status = PlaceInParent(main_.statusBar);
    EXPECT_EQ(status.x, 0);
    EXPECT_EQ(status.width, client.cx);
    EXPECT_EQ(status.y + status.height, client.cy);
    EXPECT_GT(status.height, 0);
}

std::string MenuText(HMENU menu, UINT position) {
    char text[64] = {};
    ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// "Text(id)" per item, "-" per separator; " [state]" when checked, greyed or
// disabled.
std::string DescribeItems(HMENU popup) {
    std::string out;
    for (int i = 0, count = ::GetMenuItemCount(popup); i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        ::GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info);
        if (!out.empty()) out += ", ";
        if (info.fType & MFT_SEPARATOR) {
            out += "-";
            continue;
        }
        out += MenuText(popup, static_cast<UINT>(i)) + "(" + std::to_string(info.wID) + ")";
        if (info.fState != MFS_ENABLED || info.hSubMenu) out += " [" + std::to_string(info.fState) + "]";
    }
    return out;
}

TEST_F(MainWindowTest, MenuBarHasFourTitlesAndAnEmptyFifth) {
    HMENU bar = ::GetMenu(main_.window);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(::GetMenuItemCount(bar), 5);
    const char* titles[] = {"File", "Edit", "Options", "Help", ""};
    const char* items[] = {
        "Open(0), Insert(1), New(2), -, Save(13), SaveAs(14), Append To(15), -, Exit(16)",
        "Undo(17), -, Cut(18), Copy(19), Paste(20), Select All(21), -, Delete(22), -, "
        "Insert Date(23), Insert Time(24), -, Find/Replace(25)",
        "Word Wrap(26), Set Font(27), Always On Top(28), -, Transparent Mode(29)",
        "About(31)",
        "",
    };
    for (UINT i = 0; i < 5; ++i) {
        SCOPED_TRACE("title " + std::to_string(i));
        EXPECT_EQ(MenuText(bar, i), titles[i]);
        HMENU popup = ::GetSubMenu(bar, static_cast<int>(i));
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(DescribeItems(popup), items[i]);
        EXPECT_EQ(::GetMenuState(bar, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), 0u);
    }
}

TEST_F(MainWindowTest, WindowClassUsesTheProgramIconAndTheArrow) {
    auto icon = reinterpret_cast<HICON>(::GetClassLongPtrA(main_.window, GCLP_HICON));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    const SIZE size = BitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask);
    EXPECT_EQ(size.cx, 32);
    EXPECT_EQ(size.cy, info.hbmColor ? 32 : 64);  // a mask-only icon stacks AND over XOR
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);

    EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrA(main_.window, GCLP_HCURSOR)),
              ::LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace quillet
