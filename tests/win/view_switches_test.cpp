// Word wrap, always on top and transparent mode on a started main window:
// the state the window shows, the menu ticks and the stored values, at
// start-up and after their commands; and word wrap's lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/command_handlers_win.h"
#include "app/commands.h"
#include "app/settings_win.h"
#include "app/startup_win.h"
#include "app/status_bar_win.h"
#include "app/status_text.h"
#include "platform/editor_control_win.h"
#include "support/main_window_probe.h"
#include "support/view_probe.h"

namespace quillet {
namespace {

using test::IsMenuChecked;
using test::ViewSwitchUnderTest;

// Wider than the editor at any font the tests use.
std::string LongLine() {
    std::string words;
    for (int i = 0; i < 60; ++i) words += "word" + std::to_string(i) + " ";
    return words;
}

// The default settings with one value of "Display" replaced.
std::string SettingsWith(const std::string& key, const std::string& value) {
    std::string text = test::kDefaultSettingsText;
    const std::size_t at = text.find("\n" + key + "=") + 1;
    text.replace(at, text.find("\r\n", at) - at, key + "=" + value);
    return text;
}

class ViewSwitchTest : public test::StartedMainWindowTest,
                       public ::testing::WithParamInterface<ViewSwitchUnderTest> {
protected:
    void StartWith(const char* settingsBytes) {
        Start(settingsBytes);
        AddLine(Main().editor, LongLine());
    }
    void StartWithStored(const std::string& value) {
        const std::string settings = SettingsWith(GetParam().key, value);
        StartWith(settings.c_str());
    }

    CommandContext Context() { return {Main().window, Main().editor, SettingsFilePath()}; }
    void MenuCommand() { DispatchMenuEvent(Context(), GetParam().menuId); }

    std::string State() { return GetParam().state(Main().window, Main().editor); }
    bool Ticked() { return IsMenuChecked(Main().window, GetParam().menuId); }
    std::string Stored() { return ReadSetting(SettingsFilePath(), "Display", GetParam().key); }

    void ExpectShows(const char* state, bool ticked, const std::string& stored) {
        EXPECT_EQ(State(), state);
        EXPECT_EQ(Ticked(), ticked);
        EXPECT_EQ(Stored(), stored);
    }
};

TEST_P(ViewSwitchTest, AFirstStartIsOffUnticked) {
    StartWith(nullptr);
    ExpectShows("off", false, "false");
}

TEST_P(ViewSwitchTest, TwoCommandsComeBackToTheStartStateStoringEachAtOnce) {
    StartWith(nullptr);
    MenuCommand();
    ExpectShows("on", true, "true");
    MenuCommand();
    ExpectShows("off", false, "false");
    if (const int button = GetParam().buttonId) {
        DispatchButtonEvent(Context(), button);
        ExpectShows("on", true, "true");
        DispatchButtonEvent(Context(), button);
        ExpectShows("off", false, "false");
    }
}

TEST_P(ViewSwitchTest, AStoredTRUECountsAsOffAndTheFirstCommandWritesTrue) {
    StartWithStored("TRUE");
    ExpectShows("off", false, "TRUE");
    MenuCommand();
    ExpectShows("on", true, "true");
}

TEST_P(ViewSwitchTest, AStoredTrueIsOnAndTickedFromTheStart) {
    StartWithStored("true");
    ExpectShows("on", true, "true");
    MenuCommand();
    ExpectShows("off", false, "false");
}

// The command goes by the stored value, not by the tick or the window.
TEST_P(ViewSwitchTest, AValueEditedByHandWhileRunningDecidesTheNextCommand) {
    StartWith(nullptr);
    ASSERT_TRUE(WriteSetting(SettingsFilePath(), "Display", GetParam().key, "true"));
    MenuCommand();
    ExpectShows("off", false, "false");
}

TEST_P(ViewSwitchTest, WhereNothingCanBeStoredEachCommandSetsTheSameStateAgain) {
    // A settings file in a folder that does not exist: every read gives "",
    // every write fails.
    ASSERT_TRUE(StartUp(folder_.File("missing\\Quillet_Settings.ini"), "quillet.exe"));
    AddLine(Main().editor, LongLine());
    for (int i = 0; i < 2; ++i) {
        MenuCommand();
        ExpectShows("on", true, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Switches, ViewSwitchTest, ::testing::ValuesIn(test::kViewSwitches),
                         [](const auto& info) { return std::string(info.param.name); });

class WordWrapTest : public test::StartedMainWindowTest {
protected:
    HWND Editor() { return Main().editor; }
    CommandContext Context() { return {Main().window, Main().editor, SettingsFilePath()}; }
    void WordWrap() { DispatchMenuEvent(Context(), menu_id::kWordWrap); }

    std::string CountedStatus() {
        const CaretPosition counted = CountCaretPosition(Editor());
        return StatusText(counted.column, counted.line, counted.lineCount);
    }
};

TEST_F(WordWrapTest, ALongLineBecomesSeveralDisplayLinesAndTheSavedBytesStayTheSame) {
    const std::string file = folder_.File("long.txt");
    const std::string bytes = "first\r\n" + LongLine() + "\r\nlast\r\n";
    test::WriteFileBytes(file, bytes);
    Start(nullptr, "quillet.exe \"" + file + "\"");
    ASSERT_EQ(test::DisplayLines(Editor()), 3);

    WordWrap();
    const long wrapped = test::DisplayLines(Editor());
    EXPECT_GT(wrapped, 4);
    DispatchMenuEvent(Context(), menu_id::kSave);
    EXPECT_EQ(test::ReadFileBytes(file), bytes);

    // Wrapped lines follow the window's width.
    const SIZE client = test::ClientSize(Main().window);
    test::SetClientSize(Main().window, client.cx / 2, client.cy);
    EXPECT_GT(test::DisplayLines(Editor()), wrapped);

    WordWrap();
    EXPECT_EQ(test::DisplayLines(Editor()), 3);
    DispatchMenuEvent(Context(), menu_id::kSave);
    EXPECT_EQ(test::ReadFileBytes(file), bytes);
}

TEST_F(WordWrapTest, TheStatusTextRightAfterEachToggleIsWhatAFullCountGives) {
    Start();
    AddLine(Editor(), "above");
    AddLine(Editor(), LongLine());
    AddLine(Editor(), "below");
    const long inLongLine = static_cast<long>(LongLine().size()) - 20;
    SetSelection(Editor(), 6 + inLongLine, 6 + inLongLine);
    RefreshStatusBar(Main());
    const std::string unwrapped = test::StatusBarText(Main().statusBar);
    ASSERT_EQ(unwrapped, CountedStatus());

    WordWrap();
    RefreshStatusBar(Main());
    EXPECT_EQ(test::StatusBarText(Main().statusBar), CountedStatus());
    EXPECT_NE(test::StatusBarText(Main().statusBar), unwrapped);

    WordWrap();
    RefreshStatusBar(Main());
    EXPECT_EQ(test::StatusBarText(Main().statusBar), unwrapped);
}

TEST_F(WordWrapTest, EachToggleLaysTheTextOutOnceUnderTheWaitCursor) {
    Start();
    AddLine(Editor(), LongLine());
    test::RelayoutSpy spy(Editor());
    WordWrap();
    WordWrap();
    ASSERT_EQ(spy.Messages().size(), 2u);
    const LPARAM widths[] = {0, 0xFFFFFF};  // at the edge, then beyond any line
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(spy.Messages()[i].message, static_cast<UINT>(EM_SETTARGETDEVICE));
        EXPECT_EQ(spy.Messages()[i].wParam, 0u);
        EXPECT_EQ(spy.Messages()[i].lParam, widths[i]);
        EXPECT_TRUE(spy.Messages()[i].waitCursor);
    }
    EXPECT_NE(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
}

}  // namespace
}  // namespace quillet
