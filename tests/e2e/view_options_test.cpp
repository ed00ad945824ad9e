// The real quillet.exe started with word wrap, always on top and transparent
// mode all stored on: the window as the system shows it, then each switched
// off through the Options menu with the keyboard, as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/quillet_process.h"
#include "e2e/real_input.h"
#include "e2e/shared_steps.h"
#include "program/settings_win.h"
#include "support/main_window_probe.h"
#include "support/view_probe.h"

namespace quillet::e2e {
namespace {

void PressKey(WORD key) {
    ASSERT_TRUE(PressKeys({key}));
    ::Sleep(60);  // let the menu follow each key
}

TEST(ViewOptionsEndToEnd, StartsWithAllThreeSwitchesOnAndTheOptionsMenuTurnsEachOff) {
    test::TempFolder folder;
    std::string settings = test::kDefaultSettingsText;
    for (const auto& view : test::kViewSwitches) {
        settings.replace(settings.find(std::string(view.key) + "=false"), std::string(view.key).size() + 6,
                         std::string(view.key) + "=true");
    }
    test::WriteFileBytes(folder.File(kSettingsFileName), settings);
    test::WriteFileBytes(folder.File("long.txt"), test::LongLine(80) + "\r\n");

    QuilletProcess program(folder.Path());
    ASSERT_TRUE(program.Start("\"" + folder.File("long.txt") + "\""));
    for (const auto& view : test::kViewSwitches) {
        EXPECT_EQ(view.state(program.Window(), program.Editor()), "on") << view.name;
    }
    // Options is the third title; Word Wrap, Always On Top and (past the
    // separator) Transparent Mode are its 1st, 3rd and 4th items.
    const int stepsDown[] = {0, 2, 3};
    for (std::size_t i = 0; i < std::size(test::kViewSwitches); ++i) {
        const auto& view = test::kViewSwitches[i];
        ASSERT_TRUE(BringToFront(program.Window()));
        for (WORD key : {VK_MENU, VK_RIGHT, VK_RIGHT, VK_DOWN}) PressKey(key);
        for (int down = 0; down < stepsDown[i]; ++down) PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        WaitFor([&] { return view.state(program.Window(), program.Editor()) == "off"; });
        EXPECT_EQ(view.state(program.Window(), program.Editor()), "off") << view.name;
        EXPECT_EQ(ReadSetting(program.SettingsPath(), "Display", view.key), "false") << view.name;
    }
    program.Exit();
    ExpectEndsWithCode0(program);
}

}  // namespace
}  // namespace quillet::e2e
