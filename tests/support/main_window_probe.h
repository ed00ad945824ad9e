// Helpers for the tests that look at the main window and its children:
// places in the client area, sizing by client size, the status text, and a
// fixture that starts the main window in-process for a settings file.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "app/main_window_win.h"
#include "support/win_test_support.h"

namespace quillet::test {

// A child window's rectangle in its parent's client coordinates.
struct Place {
    long x;
    long y;
    long width;
    long height;
    bool operator==(const Place& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};
std::ostream& operator<<(std::ostream& out, const Place& place);

Place PlaceInParent(HWND child);
SIZE ClientSize(HWND window);

// Sizes a top-level window so that, with a one-line menu bar, its client
// area is width by height. The system may keep it larger (minimum tracking
// size) or the menu bar may wrap: read ClientSize afterwards.
void SetClientSize(HWND window, int width, int height);

// The status bar's text as a user sees it (its only field).
std::string StatusBarText(HWND statusBar);

// Takes a pending WM_QUIT off this thread's queue; true when there was one.
bool TakeQuitMessage();

// Takes every message that is queued now and handles each as the program's
// loop does (status bar refresh first, then dispatch). A WM_QUIT is left
// in the queue. Returns the number handled.
int RunQueuedMessages();

// The default settings file, as a first start writes it.
extern const char kDefaultSettingsText[];
// The same with the four geometry values replaced.
std::string SettingsTextWithGeometry(long x, long y, long width, long height);

// Starts the main window as the program does (minus the event loop) for a
// settings file in a fresh folder, and destroys it afterwards.
class StartedMainWindowTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Writes settingsBytes as the settings file first, unless it is null (a
    // first start in an empty folder). Fails the test when StartUp fails.
    void Start(const char* settingsBytes = nullptr, const std::string& commandLine = "quillet.exe");
    // Closes any window of an earlier Start in this test.
    void Stop();

    MainWindow& Main() { return TheMainWindow(); }

    TempFolder folder_;
    const std::string settings_ = folder_.File("Quillet_Settings.ini");
};

}  // namespace quillet::test
