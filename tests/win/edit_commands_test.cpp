// The edit commands, Insert Date, Insert Time and the clear-clipboard button,
// run through the command tables against the real control and clipboard.
#include <initializer_list>
#include <string>

#include "document_fixture.h"
#include "editing/date_time_win.h"
#include "editing/edit_commands_win.h"

namespace quillet {
namespace {

using test::ClipboardText;

class EditCommandsTest : public DocumentTest {
protected:
    void Run(bool button, int id) const {
        button ? DispatchButtonEvent(Context(), id) : DispatchMenuEvent(Context(), id);
    }
    void Select(long start, long end) const { SetSelection(Editor(), start, end); }
};

TEST_F(EditCommandsTest, SelectAllThenDeleteEmptiesTheDocumentAndMarksItModified) {
    Type("first line\rsecond line");
    SetModified(Editor(), false);
    Run(false, menu_id::kSelectAll);
    EXPECT_EQ(0, GetSelection(Editor()).start);
    EXPECT_EQ(GetSelection(Editor()).end, TextLength(Editor()));  // the text, not the closing mark
    Run(false, menu_id::kDelete);
    EXPECT_EQ("", EditorText());
    EXPECT_TRUE(IsModified(Editor()));
}

TEST_F(EditCommandsTest, CutCopyAndPasteGoThroughTheSystemClipboard) {
    const struct {
        bool button;
        int id;
        long start, end;  // the selection acted on
        const char* text;
        const char* clipboard;
    } steps[] = {
        {false, menu_id::kCopy, 4, 7, "one two", "two"},
        {false, menu_id::kPaste, 0, 3, "two two", "two"},
        {false, menu_id::kCut, 0, 4, "two", "two "},
        {true, control_id::kButtonPaste, 3, 3, "twotwo ", "two "},
        {true, control_id::kButtonCopy, 0, 3, "twotwo ", "two"},
        {true, control_id::kButtonCut, 3, 6, "two ", "two"},
        {false, menu_id::kCopy, 1, 1, "two ", "two"},  // nothing selected: the clipboard stays
        {false, menu_id::kCut, 2, 2, "two ", "two"},
        {true, control_id::kButtonClearClipboard, 0, 0, "two ", ""},
        {false, menu_id::kPaste, 0, 0, "two ", ""},
    };
    Type("one two");
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.id) + " over " + std::to_string(step.start));
        const std::string before = EditorText();
        SetModified(Editor(), false);
        Select(step.start, step.end);
        Run(step.button, step.id);
        EXPECT_EQ(step.text, EditorText());
        EXPECT_EQ(step.clipboard, ClipboardText());
        EXPECT_EQ(before != step.text, IsModified(Editor()));  // every change is one to save
    }
}

// Sets the keys held down for this thread, as the editor sees them when it
// takes a key; none of them for keys empty.
void HoldKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int key : keys) state[key] = 0x80;
    ::SetKeyboardState(state);
}

// The same-length change that a comparison of lengths would miss: "river"
// by "lakes", saved, then taken back and done again every way there is.
TEST_F(EditCommandsTest, AnUndoOrRedoThatTakesAStepMarksTheDocumentModified) {
    const struct {
        const char* name;
        void (*step)(const CommandContext& context);
        const char* text;  // afterwards
    } steps[] = {
        {"Undo command", OnUndo, "river"},
        {"Ctrl+Y", [](const CommandContext& c) {
             HoldKeys({VK_CONTROL});
             ::SendMessageA(c.editor, WM_KEYDOWN, 'Y', 0);
             HoldKeys({});
         }, "lakes"},
        {"EM_UNDO", [](const CommandContext& c) { ::SendMessageA(c.editor, EM_UNDO, 0, 0); }, "river"},
        {"EM_REDO", [](const CommandContext& c) { ::SendMessageA(c.editor, EM_REDO, 0, 0); }, "lakes"},
    };
    Type("river");
    Select(0, 5);
    Type("lakes");
    for (const auto& step : steps) {
        SetModified(Editor(), false);  // as a save leaves it
        step.step(Context());
        EXPECT_EQ(step.text, EditorText()) << step.name;
        EXPECT_TRUE(IsModified(Editor())) << step.name;
    }
    // With nothing to take back, nothing changes.
    ::SendMessageA(Editor(), EM_EMPTYUNDOBUFFER, 0, 0);
    SetModified(Editor(), false);
    OnUndo(Context());
    EXPECT_FALSE(IsModified(Editor()));
}

TEST_F(EditCommandsTest, InsertDateAndTimeReplaceTheSelectionAndUndoRestoresIt) {
    Type("due: soon!");
    for (int id : {menu_id::kInsertDate, menu_id::kInsertTime}) {
        SetModified(Editor(), false);
        Select(5, 9);
        SYSTEMTIME before{}, after{};
        ::GetLocalTime(&before);
        Run(false, id);
        ::GetLocalTime(&after);
        const auto typed = [id](const SYSTEMTIME& t) {
            return id == menu_id::kInsertDate ? DateText(t) : TimeText(LOCALE_USER_DEFAULT, nullptr, t);
        };
        ASSERT_FALSE(typed(before).empty());
        const std::string text = EditorText();
        EXPECT_TRUE(text == "due: " + typed(before) + "!" || text == "due: " + typed(after) + "!") << text;
        EXPECT_TRUE(IsModified(Editor()));
        Run(false, menu_id::kUndo);
        EXPECT_EQ("due: soon!", EditorText());
    }
}

TEST_F(EditCommandsTest, TheFocusIsInTheEditorAfterEachCommand) {
    const struct {
        bool button;
        int id;
    } commands[] = {
        {false, menu_id::kUndo},       {false, menu_id::kCut},        {false, menu_id::kCopy},
        {false, menu_id::kPaste},      {false, menu_id::kSelectAll},  {false, menu_id::kDelete},
        {false, menu_id::kInsertDate}, {false, menu_id::kInsertTime}, {true, control_id::kButtonCut},
        {true, control_id::kButtonCopy}, {true, control_id::kButtonPaste},
        {true, control_id::kButtonClearClipboard},
    };
    for (const auto& command : commands) {
        ::SetFocus(TheMainWindow().buttons[control_id::kButtonOpen]);
        ASSERT_NE(Editor(), ::GetFocus());
        Run(command.button, command.id);
        EXPECT_EQ(Editor(), ::GetFocus()) << command.id;
    }
}

TEST(TimeText, RendersTheFormatWholeWhateverItsLength) {
    const struct {
        WORD hour, minute, second;
        const char* format;
        const char* text;
    } cases[] = {
        {9, 5, 7, "HH':'mm':'ss", "09:05:07"},
        {9, 5, 7, "h':'mm':'ss tt", "9:05:07 AM"},
        {21, 5, 7, "h':'mm':'ss tt", "9:05:07 PM"},
        {0, 0, 0, "hh':'mm':'ss tt", "12:00:00 AM"},
        {23, 59, 59, "HH' hours 'mm' minutes 'ss' seconds'", "23 hours 59 minutes 59 seconds"},
        {25, 0, 0, "HH", ""},  // no such time
    };
    for (const auto& c : cases) {
        const SYSTEMTIME time{2027, 3, 1, 1, c.hour, c.minute, c.second, 0};
        EXPECT_EQ(c.text, TimeText(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT),
                                   c.format, time))
            << c.format;
    }
}

}  // namespace
}  // namespace quillet
