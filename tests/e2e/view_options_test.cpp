// The real quillet.exe started with word wrap, always on top and transparent
// mode all stored on: the window as the system shows it, then each switched
// off through the Options menu with the keyboard, as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/settings_win.h"
#include "e2e/quillet_process.h"
#include "support/main_window_probe.h"
#include "support/view_probe.h"
#include "support/win_test_support.h"

namespace quillet::e2e {
namespace {

using test::ViewSwitchUnderTest;

std::string AllSwitchesOn() {
    std::string text = test::kDefaultSettingsText;
    for (const ViewSwitchUnderTest& view : test::kViewSwitches) {
        const std::string from = std::string("\n") + view.key + "=false";
        text.replace(text.find(from), from.size(), std::string("\n") + view.key + "=true");
    }
    return text;
}

void PressKey(WORD key) {
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = key;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
    ::Sleep(60);  // let the menu follow each key
}

// Opens Options (the third title) with Alt and the arrow keys and chooses
// the item `down` places below its first one (the separator is skipped).
void ChooseOptionsItem(HWND window, int down) {
    ::SetForegroundWindow(window);
    ::Sleep(100);
    PressKey(VK_MENU);
    PressKey(VK_RIGHT);
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    for (int i = 0; i < down; ++i) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
}

bool WaitForState(const ViewSwitchUnderTest& view, const QuilletProcess& program, const std::string& state) {
    const DWORD start = ::GetTickCount();
    do {
        if (view.state(program.Window(), program.Editor()) == state) return true;
        ::Sleep(20);
    } while (::GetTickCount() - start < 10000);
    return false;
}

TEST(ViewOptionsEndToEnd, StartsWithAllThreeSwitchesOnAndTheMenuTurnsEachOff) {
    test::TempFolder folder;
    test::WriteFileBytes(folder.File(kSettingsFileName), AllSwitchesOn());
    std::string line;
    for (int i = 0; i < 80; ++i) line += "word" + std::to_string(i) + " ";
    const std::string document = folder.File("long line.txt");
    test::WriteFileBytes(document, line + "\r\n");

    QuilletProcess program(folder.Path());
    ASSERT_TRUE(program.Copied());
    ASSERT_TRUE(program.Start("\"" + document + "\""));
    ASSERT_EQ(program.Title(), "Quillet - " + document);
    for (const ViewSwitchUnderTest& view : test::kViewSwitches) {
        EXPECT_EQ(view.state(program.Window(), program.Editor()), "on") << view.name;
    }

    // Word Wrap, Always On Top and (after the separator) Transparent Mode.
    const int placeInMenu[] = {0, 2, 3};
    for (std::size_t i = 0; i < std::size(test::kViewSwitches); ++i) {
        const ViewSwitchUnderTest& view = test::kViewSwitches[i];
        ChooseOptionsItem(program.Window(), placeInMenu[i]);
        EXPECT_TRUE(WaitForState(view, program, "off")) << view.name;
        EXPECT_EQ(ReadSetting(program.SettingsPath(), "Display", view.key), "false") << view.name;
    }

    program.Exit();
    DWORD exitCode = 1;
    EXPECT_TRUE(program.WaitForExit(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace quillet::e2e
