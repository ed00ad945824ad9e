// Word wrap, always on top and transparent mode on a started main window:
// the state the window shows, the menu ticks and the stored values, at
// start-up and after their commands; and word wrap's lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/dispatch_win.h"
#include "app/startup_win.h"
#include "app/status_bar_win.h"
#include "app/status_text.h"
#include "platform/editor_text_win.h"
#include "program/settings_win.h"
#include "support/editor_lines.h"
#include "support/main_window_probe.h"
#include "support/view_probe.h"

namespace quillet {
namespace {

using test::AddLine;
using test::CountCaretPosition;

class ViewSwitchTest : public test::StartedMainWindowTest,
                       public ::testing::WithParamInterface<test::ViewSwitchUnderTest> {
protected:
    void StartWithStored(const char* value) {
        std::string settings = test::kDefaultSettingsText;
        const std::string key = std::string("\n") + GetParam().key + "=";
        const std::size_t at = settings.find(key) + key.size();
        settings.replace(at, settings.find('\r', at) - at, value);
        Start(settings.c_str());
        AddLine(Main().editor, test::LongLine());
    }
    CommandContext Context() { return {Main().window, Main().editor, SettingsFilePath()}; }
    void Command() { DispatchMenuEvent(Context(), GetParam().menuId); }

    void ExpectShows(const char* state, bool ticked, const std::string& stored) {
        EXPECT_EQ(GetParam().state(Main().window, Main().editor), state);
        EXPECT_EQ(test::IsMenuChecked(Main().window, GetParam().menuId), ticked);
        EXPECT_EQ(ReadSetting(SettingsFilePath(), "Display", GetParam().key), stored);
    }
};

TEST_P(ViewSwitchTest, AFirstStartIsOffAndEachCommandFlipsTicksAndStoresAtOnce) {
    Start();
    AddLine(Main().editor, test::LongLine());
    ExpectShows("off", false, "false");
    Command();
    ExpectShows("on", true, "true");
    Command();
    ExpectShows("off", false, "false");
    if (const int button = GetParam().buttonId) {
        DispatchButtonEvent(Context(), button);
        ExpectShows("on", true, "true");
    }
}

// Exactly "true" is on; the command goes by the stored text, not the tick.
TEST_P(ViewSwitchTest, AStoredTRUEIsOffAStoredTrueIsOnAndTheCommandReadsTheFile) {
    StartWithStored("TRUE");
    ExpectShows("off", false, "TRUE");
    Command();
    ExpectShows("on", true, "true");

    StartWithStored("true");
    ExpectShows("on", true, "true");
    ASSERT_TRUE(WriteSetting(SettingsFilePath(), "Display", GetParam().key, "no"));
    Command();
    ExpectShows("on", true, "true");
}

TEST_P(ViewSwitchTest, WhereNothingCanBeStoredEachCommandSetsTheSameStateAgain) {
    // In a folder that does not exist, every read gives "" and every write fails.
    ASSERT_TRUE(StartUp(folder_.File("missing\\Quillet_Settings.ini"), "quillet.exe"));
    AddLine(Main().editor, test::LongLine());
    for (int i = 0; i < 2; ++i) {
        Command();
        ExpectShows("on", true, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Switches, ViewSwitchTest, ::testing::ValuesIn(test::kViewSwitches),
                         [](const auto& info) { return std::string(info.param.name); });

class WordWrapTest : public test::StartedMainWindowTest {};

TEST_F(WordWrapTest, ChangesOnlyTheDisplayLinesLayingThemOutOnceAndTheStatusTextFollows) {
    const std::string file = folder_.File("long.txt");
    const std::string bytes = "first\r\n" + test::LongLine() + "\r\nlast\r\n";
    test::WriteFileBytes(file, bytes);
    Start(nullptr, "quillet.exe \"" + file + "\"");
    HWND editor = Main().editor;
    const CommandContext context{Main().window, editor, SettingsFilePath()};
    SetSelection(editor, 30, 30);
    RefreshStatusBar(Main());
    const std::string unwrapped = test::StatusBarText(Main().statusBar);
    auto counted = [&] {
        const CaretPosition caret = CountCaretPosition(editor);
        return StatusText(caret.column, caret.line, caret.lineCount);
    };
    test::RelayoutSpy spy(editor);

    for (const bool wrap : {true, false}) {
        DispatchMenuEvent(context, 26);
        RefreshStatusBar(Main());
        EXPECT_EQ(test::StatusBarText(Main().statusBar), counted());
        EXPECT_EQ(test::StatusBarText(Main().statusBar) != unwrapped, wrap);
        EXPECT_EQ(test::DisplayLines(editor) > 4, wrap);
        DispatchMenuEvent(context, 13);  // Save
        EXPECT_EQ(test::ReadFileBytes(file), bytes);
    }
    // One layout each, at the editor's edge and then beyond any line, under
    // the wait cursor.
    ASSERT_EQ(spy.Messages().size(), 2u);
    EXPECT_EQ(spy.Messages()[0].lParam, 0);
    EXPECT_EQ(spy.Messages()[1].lParam, 0xFFFFFF);
    for (const auto& seen : spy.Messages()) EXPECT_TRUE(seen.message == EM_SETTARGETDEVICE && seen.waitCursor);
    EXPECT_NE(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
}

}  // namespace
}  // namespace quillet
