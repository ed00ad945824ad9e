// The status bar's "Char N Line M of K lines" on a started window, refreshed
// directly and by the loop's own handling of queued messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <richedit.h>

#include "app/event_loop_win.h"
#include "app/status_bar_win.h"
#include "app/status_text.h"
#include "find_replace_fixture.h"
#include "platform/editor_view_win.h"
#include "platform/editor_control_win.h"
#include "platform/editor_text_win.h"
#include "platform/message_loop_win.h"
#include "support/editor_lines.h"
#include "support/main_window_probe.h"
#include "support/view_probe.h"

namespace quillet {
namespace {

using test::AddLine;
using test::LineText;
using test::CountCaretPosition;

using test::RunQueuedMessages;

class StatusBarTest : public test::StartedMainWindowTest {
protected:
    void SetUp() override { Start(); }

    std::string Shown() { return test::StatusBarText(Main().statusBar); }
    HWND Editor() { return Main().editor; }
    long LineStart(long line) { return static_cast<long>(::SendMessageA(Editor(), EM_LINEINDEX, line, 0)); }

    // Five lines; the third has seven characters.
    void LoadFiveLines() {
        for (const char* line : {"alpha", "be", "gamma12", "delta", "epsilon"}) AddLine(Editor(), line);
    }
    void Refresh() { RefreshStatusBar(Main()); }

    // Takes one posted message off the queue and handles it as the loop does.
    bool HandleOneQueued(HWND window, UINT message) {
        MSG queued{};
        if (!::PeekMessageA(&queued, window, message, message, PM_REMOVE)) return false;
        DispatchEvent(queued);
        return true;
    }
};

TEST_F(StatusBarTest, AnEmptyDocumentShowsOneLine) {
    EXPECT_EQ(Shown(), "Char 1 Line 1 of 1 lines");
    Refresh();
    EXPECT_EQ(Shown(), "Char 1 Line 1 of 1 lines");
    EXPECT_EQ(Shown(), test::WindowText(Main().statusBar));
}

TEST_F(StatusBarTest, ShowsTheCaretsColumnAndLineCountedFromOne) {
    LoadFiveLines();
    SetSelection(Editor(), LineStart(2), LineStart(2));
    Refresh();
    EXPECT_EQ(Shown(), "Char 1 Line 3 of 5 lines");

    ::SendMessageA(Editor(), WM_KEYDOWN, VK_END, 0);  // End on that line
    Refresh();
    EXPECT_EQ(Shown(), "Char 8 Line 3 of 5 lines");

    SetSelection(Editor(), -1, -1);  // the very end
    Refresh();
    EXPECT_EQ(Shown(), "Char 8 Line 5 of 5 lines");
}

TEST_F(StatusBarTest, ASelectionReportsItsStartWhicheverWayItWasMade) {
    LoadFiveLines();
    const long start = LineStart(1) + 1;  // "b|e"
    const long end = LineStart(3) + 4;    // "delt|a"
    SetSelection(Editor(), end, start);   // right to left: the caret is at start
    Refresh();
    EXPECT_EQ(Shown(), "Char 2 Line 2 of 5 lines");

    SetSelection(Editor(), start, end);  // left to right: the caret is at end
    Refresh();
    EXPECT_EQ(Shown(), "Char 2 Line 2 of 5 lines");

    SetSelection(Editor(), 0, -1);
    Refresh();
    EXPECT_EQ(Shown(), "Char 1 Line 1 of 5 lines");
}

TEST_F(StatusBarTest, AnEmptyLastLineCounts) {
    AddLine(Editor(), "text");
    AddLine(Editor(), "");
    SetSelection(Editor(), -1, -1);
    Refresh();
    EXPECT_EQ(Shown(), "Char 1 Line 2 of 2 lines");
}

TEST_F(StatusBarTest, EachQueuedMessageShowsTheStateTheMessageBeforeLeft) {
    LoadFiveLines();
    SetSelection(Editor(), 0, 0);
    RunQueuedMessages();  // whatever showing the window left queued
    ASSERT_EQ(Shown(), "Char 1 Line 1 of 5 lines");

    const long third = LineStart(2);
    ASSERT_TRUE(::PostMessageA(Editor(), EM_SETSEL, third, third));
    ASSERT_TRUE(HandleOneQueued(Editor(), EM_SETSEL));
    EXPECT_EQ(GetSelection(Editor()).start, third);
    // The refresh ran before the selection moved.
    EXPECT_EQ(Shown(), "Char 1 Line 1 of 5 lines");

    ASSERT_TRUE(::PostMessageA(Main().window, WM_NULL, 0, 0));
    ASSERT_TRUE(HandleOneQueued(Main().window, WM_NULL));
    EXPECT_EQ(Shown(), "Char 1 Line 3 of 5 lines");
}

TEST_F(StatusBarTest, FollowsTypingAndCaretKeysThroughTheLoop) {
    ::SetFocus(Editor());
    for (char c : std::string("abc")) ::PostMessageA(Editor(), WM_CHAR, static_cast<WPARAM>(c), 1);
    ::PostMessageA(Editor(), WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageA(Editor(), WM_CHAR, 'd', 1);
    ::PostMessageA(Main().window, WM_NULL, 0, 0);
    RunQueuedMessages();
    EXPECT_EQ(LineText(Editor(), 0), "abc");
    EXPECT_EQ(Shown(), "Char 2 Line 2 of 2 lines");

    ::PostMessageA(Editor(), WM_KEYDOWN, VK_UP, 1);
    ::PostMessageA(Main().window, WM_NULL, 0, 0);
    RunQueuedMessages();
    EXPECT_EQ(Shown(), "Char 2 Line 1 of 2 lines");

    ::PostMessageA(Editor(), WM_KEYDOWN, VK_END, 1);
    ::PostMessageA(Main().window, WM_NULL, 0, 0);
    RunQueuedMessages();
    EXPECT_EQ(Shown(), "Char 4 Line 1 of 2 lines");
}

// Two edits between refreshes can move the caret's line while the length,
// the line count and the selection all come out as before.
TEST_F(StatusBarTest, AnEditThatKeepsLengthCountAndSelectionStillMovesTheLine) {
    for (const char* line : {"a", "b", "cdefgh"}) AddLine(Editor(), line);  // a|b|cdefgh
    SetSelection(Editor(), 8, 8);  // "cdef|gh"
    Refresh();
    ASSERT_EQ(Shown(), "Char 5 Line 3 of 3 lines");

    SetSelection(Editor(), 1, 2);  // the first break becomes a letter
    ReplaceSelection(Editor(), "x");
    SetSelection(Editor(), 9, 10);  // the last letter becomes a break
    ReplaceSelection(Editor(), "\r");
    SetSelection(Editor(), 8, 8);  // axb|cdefg|
    Refresh();
    EXPECT_EQ(Shown(), "Char 5 Line 2 of 3 lines");
}

TEST_F(StatusBarTest, WrappingToANarrowerEditorIsShown) {
    std::string words;
    for (int i = 0; i < 40; ++i) words += "word ";
    AddLine(Editor(), words);
    ::SendMessageA(Editor(), EM_SETTARGETDEVICE, 0, 0);  // wrap at the editor's width
    SetSelection(Editor(), -1, -1);
    Refresh();
    const std::string wide = Shown();

    RECT place{};
    ::GetWindowRect(Editor(), &place);
    ::SetWindowPos(Editor(), nullptr, 0, 0, (place.right - place.left) / 3, place.bottom - place.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Refresh();
    EXPECT_NE(Shown(), wide);
    const CaretPosition counted = CountCaretPosition(Editor());
    EXPECT_EQ(Shown(), "Char " + std::to_string(counted.column + 1) + " Line " + std::to_string(counted.line + 1) +
                           " of " + std::to_string(counted.lineCount) + " lines");
    EXPECT_GT(counted.lineCount, 1);
}

TEST_F(StatusBarTest, ClearingTheDocumentGoesBackToOneLine) {
    LoadFiveLines();
    SetSelection(Editor(), -1, -1);
    Refresh();
    ASSERT_EQ(Shown(), "Char 8 Line 5 of 5 lines");
    ClearEditor(Editor());
    Refresh();
    EXPECT_EQ(Shown(), "Char 1 Line 1 of 1 lines");
}

// Replace all with word wrap on: replacements of the same length that are
// wider move the wrap points. Here the length, the line count and the caret
// stay as they were (the run starts from the top and ends behind the last
// replacement, where the caret was), so that only the caret's column
// changes: the status bar must follow.
TEST_F(FindReplaceTest, TheStatusBarFollowsAWrapPointThatReplaceAllMoved) {
    std::string narrow;
    for (int i = 0; i < 150; ++i) narrow += "word ";
    narrow.pop_back();
    std::string wide = narrow;
    for (char& c : wide) c = c == 'r' ? 'm' : c;
    SetWordWrap(Editor(), true);
    SetDocument(narrow, 0, 0);
    const std::vector<long> narrowWraps = test::WrapStarts(Editor());
    SetDocument(wide, 0, 0);
    const long end = test::EndWhereOnlyTheWrapMoves(wide, narrowWraps, test::WrapStarts(Editor()));
    ASSERT_GT(end, 0) << "no text where only the wrap moves";

    const long caret = end - 1;  // behind the last word's "r"
    SetDocument(narrow.substr(0, static_cast<std::size_t>(end)), caret, caret);
    RefreshStatusBar(TheMainWindow());
    const std::string before = test::StatusBarText(TheMainWindow().statusBar);
    const long lines = test::DisplayLines(Editor());
    RunFindReplace([](FindReplaceDriver& d) {
        d.SetText(id::kFindField, "r");
        d.SetText(id::kReplaceField, "m");
        ::SendMessageA(d.Control(id::kSearchFromTop), BM_CLICK, 0, 0);
        d.Press(id::kReplaceAll, {IDNO});
    });
    ASSERT_EQ(wide.substr(0, static_cast<std::size_t>(end)), EditorText());
    ASSERT_EQ(caret, GetSelection(Editor()).start);
    ASSERT_EQ(caret, GetSelection(Editor()).end);
    ASSERT_EQ(lines, test::DisplayLines(Editor()));
    RefreshStatusBar(TheMainWindow());
    const CaretPosition counted = CountCaretPosition(Editor());
    EXPECT_EQ(StatusText(counted.column, counted.line, counted.lineCount),
              test::StatusBarText(TheMainWindow().statusBar));
    EXPECT_NE(before, test::StatusBarText(TheMainWindow().statusBar));
}

}  // namespace
}  // namespace quillet
