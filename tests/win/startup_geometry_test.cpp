// Where the window starts for a stored geometry, and what closing and Exit
// leave in the settings file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/program_end_win.h"
#include "platform/editor_text_win.h"
#include "program/settings_win.h"
#include "support/main_window_probe.h"

namespace quillet {
namespace {

using test::ClientSize;
using test::kDefaultSettingsText;
using test::ReadFileBytes;
using test::RunQueuedMessages;
using test::TakeQuitMessage;

int MenuLine() { return ::GetSystemMetrics(SM_CYMENU); }

std::string SettingsWithGeometry(long x, long y, long width, long height) {
    return test::SettingsTextWithGeometry(x, y, width, height);
}

class StartupGeometryTest : public test::StartedMainWindowTest {
protected:
    RECT Outer() {
        RECT outer{};
        ::GetWindowRect(Main().window, &outer);
        return outer;
    }
    // Outer top-left and client size.
    void ExpectPlaced(long x, long y, long clientWidth, long clientHeight) {
        const RECT outer = Outer();
        EXPECT_EQ(outer.left, x);
        EXPECT_EQ(outer.top, y);
        const SIZE client = ClientSize(Main().window);
        EXPECT_EQ(client.cx, clientWidth);
        EXPECT_EQ(client.cy, clientHeight);
    }
    void StartWithGeometry(long x, long y, long width, long height) {
        const std::string text = SettingsWithGeometry(x, y, width, height);
        Start(text.c_str());
    }
    CommandContext Context() { return {Main().window, Main().editor, settings_}; }
};

TEST_F(StartupGeometryTest, AStoredGeometryPlacesTheFrameAndSizesTheClientArea) {
    StartWithGeometry(150, 120, 500, 400);
    EXPECT_TRUE(::IsWindowVisible(Main().window));
    EXPECT_FALSE(::IsIconic(Main().window));
    ExpectPlaced(150, 120, 500, 400 - MenuLine());
}

TEST_F(StartupGeometryTest, AFirstStartUsesTheDefaults) {
    Start();
    ExpectPlaced(100, 100, 600, 450 - MenuLine());
    EXPECT_EQ(ReadFileBytes(settings_), kDefaultSettingsText);
}

TEST_F(StartupGeometryTest, AFileWithoutGeometryStartsAtTheDefaults) {
    const char onlyWordWrap[] = "[Display]\r\nWordWrap=true\r\n";
    Start(onlyWordWrap);
    ExpectPlaced(100, 100, 600, 450 - MenuLine());
    EXPECT_EQ(ReadFileBytes(settings_), onlyWordWrap);
}

TEST_F(StartupGeometryTest, AGeometryWithNoClientAreaGivesWayToTheDefaults) {
    const long unusable[][2] = {{0, 300}, {-5, 300}, {400, 0}, {400, -1}, {400, MenuLine()}};
    for (const auto& size : unusable) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        StartWithGeometry(300, 200, size[0], size[1]);
        ExpectPlaced(100, 100, 600, 450 - MenuLine());
    }
    StartWithGeometry(300, 200, 400, MenuLine() + 1);  // the smallest usable
    ExpectPlaced(300, 200, 400, 1);
}

TEST_F(StartupGeometryTest, AWindowOffEveryMonitorIsMovedOntoTheNearest) {
    const long places[][2] = {{50000, 100}, {100, 50000}, {-50000, -50000}, {-2000, 300}};
    for (const auto& place : places) {
        SCOPED_TRACE(std::to_string(place[0]) + ", " + std::to_string(place[1]));
        StartWithGeometry(place[0], place[1], 500, 400);
        const RECT outer = Outer();
        HMONITOR monitor = ::MonitorFromRect(&outer, MONITOR_DEFAULTTONULL);
        ASSERT_NE(monitor, nullptr);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetMonitorInfoA(monitor, &info));
        EXPECT_GE(outer.left, info.rcWork.left);
        EXPECT_GE(outer.top, info.rcWork.top);
        EXPECT_LE(outer.right, info.rcWork.right);
        EXPECT_LE(outer.bottom, info.rcWork.bottom);
        const SIZE client = ClientSize(Main().window);
        EXPECT_EQ(client.cx, 500);
        EXPECT_EQ(client.cy, 400 - MenuLine());
    }
}

TEST_F(StartupGeometryTest, AWindowPartlyOnAMonitorStaysWhereItWasStored) {
    StartWithGeometry(-20, 10, 500, 400);
    ExpectPlaced(-20, 10, 500, 400 - MenuLine());
}

TEST_F(StartupGeometryTest, ClosingStoresTheFramesCornerAndTheClientSize) {
    Start();
    ::SetWindowPos(Main().window, nullptr, 140, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    test::SetClientSize(Main().window, 520, 300);
    ASSERT_EQ(ClientSize(Main().window).cy, 300);

    ASSERT_TRUE(::PostMessageA(Main().window, WM_CLOSE, 0, 0));
    RunQueuedMessages();
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(ReadFileBytes(settings_), SettingsWithGeometry(140, 130, 520, 300 + MenuLine()));
    EXPECT_TRUE(::IsWindow(Main().window)) << "the program ends without destroying its window";
}

TEST_F(StartupGeometryTest, TheNextStartUsesWhatClosingStored) {
    StartWithGeometry(210, 160, 480, 360);
    ::SetWindowPos(Main().window, nullptr, 230, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(RunCloseSequence(Context()));
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(ReadFileBytes(settings_), SettingsWithGeometry(230, 170, 480, 360));

    Start(nullptr);  // the file stays
    ExpectPlaced(230, 170, 480, 360 - MenuLine());
}

TEST_F(StartupGeometryTest, ClosingWhileMinimisedStoresTheRestoredGeometry) {
    StartWithGeometry(200, 150, 500, 400);
    ::ShowWindow(Main().window, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(Main().window));

    ASSERT_TRUE(RunCloseSequence(Context()));
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(ReadFileBytes(settings_), SettingsWithGeometry(200, 150, 500, 400));
}

TEST_F(StartupGeometryTest, ClosingWhileMaximisedStoresTheMaximisedFrame) {
    StartWithGeometry(200, 150, 500, 400);
    ::ShowWindow(Main().window, SW_MAXIMIZE);
    ASSERT_TRUE(::IsZoomed(Main().window));
    const RECT outer = Outer();
    const SIZE client = ClientSize(Main().window);

    ASSERT_TRUE(RunCloseSequence(Context()));
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(ReadFileBytes(settings_),
              SettingsWithGeometry(outer.left, outer.top, client.cx, client.cy + MenuLine()));
}

TEST_F(StartupGeometryTest, ClosingAModifiedDocumentAsksAndStillStoresTheGeometryOnNo) {
    StartWithGeometry(200, 150, 500, 400);
    ReplaceSelection(Main().editor, "unsaved");
    ASSERT_TRUE(IsModified(Main().editor));
    ::SetWindowPos(Main().window, nullptr, 260, 180, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    {
        test::DialogAnswerer answerer("Save modified file?",
                                      [](HWND dialog) { test::PressButton(dialog, IDNO); });
        ASSERT_TRUE(::PostMessageA(Main().window, WM_CLOSE, 0, 0));
        RunQueuedMessages();
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(ReadFileBytes(settings_), SettingsWithGeometry(260, 180, 500, 400));
}

// Exit offers to save unsaved text; answered No, it ends and stores nothing.
TEST_F(StartupGeometryTest, ExitAsksAboutUnsavedTextAndStoresNoGeometry) {
    StartWithGeometry(200, 150, 500, 400);
    const std::string before = ReadFileBytes(settings_);
    ::SetWindowPos(Main().window, nullptr, 300, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    test::SetClientSize(Main().window, 420, 280);
    ReplaceSelection(Main().editor, "unsaved");
    ASSERT_TRUE(IsModified(Main().editor));
    {
        test::DialogAnswerer answerer("Save modified file?",
                                      [](HWND dialog) { test::PressButton(dialog, IDNO); });
        ASSERT_TRUE(::PostMessageA(Main().window, WM_COMMAND, 16, 0));  // File > Exit
        RunQueuedMessages();
        EXPECT_TRUE(TakeQuitMessage());
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_EQ(ReadFileBytes(settings_), before);
}

TEST_F(StartupGeometryTest, OnExitWritesNothing) {
    StartWithGeometry(200, 150, 500, 400);
    const std::string before = ReadFileBytes(settings_);
    ::SetWindowPos(Main().window, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    OnExit(Context());
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(ReadFileBytes(settings_), before);
}

}  // namespace
}  // namespace quillet
