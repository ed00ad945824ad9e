// The editor's line operations and whole-text transfer, on a real rich-text
// control inside a hidden window.
#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "platform/editor_control_win.h"
#include "platform/editor_stream_out_win.h"
#include "platform/editor_text_win.h"
#include "support/editor_lines.h"
#include "support/win_test_support.h"

namespace quillet {
namespace {

using test::AddLine;
using test::LineText;
using test::CaretPositionNow;
using test::CountCaretPosition;

class EditorLinesTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = ::CreateWindowExA(0, "STATIC", "editor host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                    nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        editor_ = CreateEditor(parent_, 15, 0, 35, 600, 305);
        ASSERT_NE(editor_, nullptr);
    }
    void TearDown() override { ::DestroyWindow(parent_); }

    void AddLines(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) AddLine(editor_, line);
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (long i = 0, count = LineCount(editor_); i < count; ++i) lines.push_back(LineText(editor_, i));
        return lines;
    }
    long TextLength() { return ::GetWindowTextLengthA(editor_); }
    bool CanUndo() { return ::SendMessageA(editor_, EM_CANUNDO, 0, 0) != 0; }

    HWND parent_ = nullptr;
    HWND editor_ = nullptr;
};

using LineList = std::vector<std::string>;

TEST_F(EditorLinesTest, IsARichEdit20ControlWithTheDocumentStyles) {
    char className[64] = {};
    ::GetClassNameA(editor_, className, sizeof className);
    EXPECT_STREQ(className, "RichEdit20A");
    EXPECT_EQ(::GetDlgCtrlID(editor_), 15);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(editor_, GWL_STYLE));
    for (DWORD bit : {DWORD(WS_CHILD), DWORD(WS_VISIBLE), DWORD(WS_TABSTOP), DWORD(ES_MULTILINE), DWORD(ES_AUTOVSCROLL),
                      DWORD(ES_AUTOHSCROLL), DWORD(ES_WANTRETURN), DWORD(ES_NOHIDESEL)}) {
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    }
    EXPECT_TRUE(::GetWindowLongPtrA(editor_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_GE(static_cast<unsigned long>(::SendMessageA(editor_, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
}

TEST_F(EditorLinesTest, BothScrollBarsStayWhetherOrNotTheTextOverflows) {
    // A scroll bar coming or going would resize the text area, and the
    // control lays out the whole document again on each resize.
    RECT empty{};
    ::GetClientRect(editor_, &empty);
    auto style = static_cast<DWORD>(::GetWindowLongPtrA(editor_, GWL_STYLE));
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & ES_DISABLENOSCROLL);

    std::string text(400, 'w');
    for (int i = 0; i < 100; ++i) text += "\rline";
    ASSERT_TRUE(LoadEditorText(editor_, text, LineMark::None));
    SetSelection(editor_, 0, 0);
    ReplaceSelection(editor_, std::string(400, 'x'));
    style = static_cast<DWORD>(::GetWindowLongPtrA(editor_, GWL_STYLE));
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & WS_HSCROLL);
    RECT full{};
    ::GetClientRect(editor_, &full);
    EXPECT_EQ(full.right, empty.right);
    EXPECT_EQ(full.bottom, empty.bottom);
}

TEST_F(EditorLinesTest, AClearedEditorHasNoLines) {
    AddLines({"a", "b"});
    ClearEditor(editor_);
    EXPECT_EQ(TextLength(), 0);
    EXPECT_EQ(LineCount(editor_), 0);
    EXPECT_EQ(GetLineMark(editor_), LineMark::None);
    EXPECT_EQ(LineCount(editor_), 0) << "a fresh control too";
}

TEST_F(EditorLinesTest, OneEmptyLineIsOneLine) {
    ClearEditor(editor_);
    AddLine(editor_, "");
    EXPECT_EQ(LineCount(editor_), 1);
    EXPECT_EQ(LineText(editor_, 0), "");
    EXPECT_EQ(GetLineMark(editor_), LineMark::Pending);
    EXPECT_EQ(TextLength(), 0);
}

TEST_F(EditorLinesTest, EmptyFirstLinesSurvive) {
    AddLines({"", "x"});
    EXPECT_EQ(Lines(), (LineList{"", "x"}));
    EXPECT_EQ(GetLineMark(editor_), LineMark::Done);

    ClearEditor(editor_);
    AddLines({"", ""});
    EXPECT_EQ(Lines(), (LineList{"", ""}));

    ClearEditor(editor_);
    AddLines({"", "", "z", ""});
    EXPECT_EQ(Lines(), (LineList{"", "", "z", ""}));
}

TEST_F(EditorLinesTest, LinesAreJoinedByOneBreakWithNoneAtTheEnds) {
    AddLines({"alpha", "", "gamma"});
    EXPECT_EQ(Lines(), (LineList{"alpha", "", "gamma"}));
    EXPECT_EQ(GetLineMark(editor_), LineMark::None);
    std::string streamed;
    ASSERT_TRUE(SaveEditorText(editor_, streamed));
    EXPECT_EQ(streamed, "alpha\r\n\r\ngamma");
}

TEST_F(EditorLinesTest, AnIndexInsertsBeforeThatLine) {
    AddLines({"a", "b", "c"});
    AddLine(editor_, "before b", 1);
    EXPECT_EQ(Lines(), (LineList{"a", "before b", "b", "c"}));
    AddLine(editor_, "first", 0);
    EXPECT_EQ(Lines(), (LineList{"first", "a", "before b", "b", "c"}));
    AddLine(editor_, "", 4);
    EXPECT_EQ(Lines(), (LineList{"first", "a", "before b", "b", "", "c"}));
}

TEST_F(EditorLinesTest, AnIndexPastTheEndAppends) {
    AddLines({"a", "b"});
    AddLine(editor_, "at count", 2);
    AddLine(editor_, "far past", 1000);
    EXPECT_EQ(Lines(), (LineList{"a", "b", "at count", "far past"}));

    ClearEditor(editor_);
    AddLine(editor_, "only", 3);
    EXPECT_EQ(Lines(), (LineList{"only"}));
}

TEST_F(EditorLinesTest, AVeryLongLineComesBackWhole) {
    // Longer than a 16-bit size word can count. Made of words: the control
    // takes many seconds to lay out one unbroken run of this length.
    std::string longLine;
    for (int i = 0; longLine.size() < 70000; ++i) longLine += "word" + std::to_string(i) + ' ';
    AddLines({"short", longLine, "tail"});
    EXPECT_EQ(LineCount(editor_), 3);
    EXPECT_EQ(LineText(editor_, 1), longLine);
    EXPECT_EQ(LineText(editor_, 2), "tail");
}

TEST_F(EditorLinesTest, EveryByteButTheLineBreaksComesBackUnchanged) {
    std::string bytes;
    for (int b = 1; b <= 255; ++b) {
        if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
    }
    AddLines({bytes, bytes});
    ASSERT_EQ(LineCount(editor_), 2);
    EXPECT_EQ(LineText(editor_, 0), bytes);
    EXPECT_EQ(LineText(editor_, 1), bytes);
}

TEST_F(EditorLinesTest, LineTextOutsideTheTextIsEmpty) {
    AddLines({"a", "b"});
    EXPECT_EQ(LineText(editor_, 2), "");
    EXPECT_EQ(LineText(editor_, 99), "");
}

TEST_F(EditorLinesTest, LoadedTextStreamsOutJoinedByCrLfWithoutATrailingBreak) {
    ASSERT_TRUE(LoadEditorText(editor_, "one\rtwo\r\rfour", LineMark::None));
    EXPECT_EQ(Lines(), (LineList{"one", "two", "", "four"}));
    std::string streamed;
    ASSERT_TRUE(SaveEditorText(editor_, streamed));
    EXPECT_EQ(streamed, "one\r\ntwo\r\n\r\nfour");

    ASSERT_TRUE(LoadEditorText(editor_, "", LineMark::None));
    ASSERT_TRUE(SaveEditorText(editor_, streamed));
    EXPECT_EQ(streamed, "");
    EXPECT_EQ(LineCount(editor_), 0);
}

TEST_F(EditorLinesTest, LoadingKeepsTheMarkItIsGiven) {
    ASSERT_TRUE(LoadEditorText(editor_, "", LineMark::Pending));
    EXPECT_EQ(LineCount(editor_), 1);
    EXPECT_EQ(GetLineMark(editor_), LineMark::Pending);
    AddLine(editor_, "next");
    EXPECT_EQ(Lines(), (LineList{"", "next"}));

    ASSERT_TRUE(LoadEditorText(editor_, "\rx", LineMark::Done));
    EXPECT_EQ(Lines(), (LineList{"", "x"}));
    AddLine(editor_, "y");
    EXPECT_EQ(Lines(), (LineList{"", "x", "y"}));
}

TEST_F(EditorLinesTest, TwentyThousandLinesStreamInAsTwentyThousandLines) {
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        if (i) text += '\r';
        text += "line " + std::to_string(i);
    }
    ASSERT_TRUE(LoadEditorText(editor_, text, LineMark::None));
    EXPECT_EQ(LineCount(editor_), 20000);
    EXPECT_EQ(LineText(editor_, 0), "line 0");
    EXPECT_EQ(LineText(editor_, 9999), "line 9999");
    EXPECT_EQ(LineText(editor_, 19999), "line 19999");

    std::string streamed;
    ASSERT_TRUE(SaveEditorText(editor_, streamed));
    std::string expected = text;
    for (std::size_t at = expected.find('\r'); at != std::string::npos; at = expected.find('\r', at + 2)) {
        expected.insert(at + 1, "\n");
    }
    EXPECT_EQ(streamed.size(), expected.size());
    EXPECT_TRUE(streamed == expected);
}

TEST_F(EditorLinesTest, LoadingIsNotAnUndoStep) {
    ReplaceSelection(editor_, "typed");
    ASSERT_TRUE(CanUndo());

    ASSERT_TRUE(LoadEditorText(editor_, "loaded\rtext", LineMark::None));
    EXPECT_FALSE(CanUndo());
    ::SendMessageA(editor_, WM_UNDO, 0, 0);
    EXPECT_EQ(Lines(), (LineList{"loaded", "text"}));

    // Edits after a load are undoable again.
    ReplaceSelection(editor_, "!");
    EXPECT_TRUE(CanUndo());
    EXPECT_TRUE(IsModified(editor_));
}

TEST_F(EditorLinesTest, LoadingLeavesTheTextUnmodified) {
    ReplaceSelection(editor_, "typed");
    SetModified(editor_, false);
    ASSERT_TRUE(LoadEditorText(editor_, "loaded\rtext", LineMark::None));
    EXPECT_FALSE(IsModified(editor_));
}

TEST_F(EditorLinesTest, ClearingLeavesTheModifiedFlagClearAndNothingToUndo) {
    ReplaceSelection(editor_, "typed");
    ASSERT_TRUE(IsModified(editor_));
    ClearEditor(editor_);
    EXPECT_FALSE(IsModified(editor_));
    EXPECT_FALSE(CanUndo());
    EXPECT_EQ(TextLength(), 0);
}

TEST_F(EditorLinesTest, ReplaceSelectionIsUndoable) {
    AddLines({"keep"});
    SetSelection(editor_, 4, 4);
    ReplaceSelection(editor_, " this");
    EXPECT_EQ(LineText(editor_, 0), "keep this");
    ::SendMessageA(editor_, WM_UNDO, 0, 0);
    EXPECT_EQ(LineText(editor_, 0), "keep");
}

TEST_F(EditorLinesTest, SelectionAndTextRange) {
    AddLines({"abc", "defg"});
    SetSelection(editor_, 5, 2);
    const Selection selection = GetSelection(editor_);
    EXPECT_EQ(selection.start, 2);
    EXPECT_EQ(selection.end, 5);
    EXPECT_EQ(TextRange(editor_, 0, 3), "abc");
    EXPECT_EQ(TextRange(editor_, 4, 8), "defg");
    EXPECT_EQ(TextRange(editor_, 3, 3), "");
}

TEST_F(EditorLinesTest, CaretPositionCountsFromZero) {
    AddLines({"abc", "defgh", "i"});
    SetSelection(editor_, 6, 6);  // "defgh" starts at 4 (one break character)
    const CaretPosition caret = CaretPositionNow(editor_);
    EXPECT_EQ(caret.line, 1);
    EXPECT_EQ(caret.column, 2);
    EXPECT_EQ(caret.lineCount, 3);
}

// The quick ways (caret at the very end, a one-line document) must give what
// counting by character position gives, wherever the caret is, with and
// without word wrap.
TEST_F(EditorLinesTest, CaretPositionShortcutsAgreeWithCounting) {
    const std::string words = [] {
        std::string text;
        for (int i = 0; i < 60; ++i) text += "word ";
        return text;
    }();
    const std::vector<LineList> documents = {
        {}, {"abc"}, {"abc", ""}, {"", ""}, {"a", "bb", "ccc"}, {words}, {"x", words},
        {std::string(300, 'n')}, {words, "", ""}, {"tail", std::string(250, 'z')},
    };
    for (const bool wrap : {false, true}) {
        for (const LineList& document : documents) {
            ClearEditor(editor_);
            AddLines(document);
            // Target device 0 wraps at the control's width; 1 turns wrapping off.
            ::SendMessageA(editor_, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
            const long end = quillet::TextLength(editor_);
            ASSERT_GE(TextLength(), end) << "the window text counts a break as CR LF";
            for (long position = 0; position <= end; ++position) {
                SetSelection(editor_, position, position);
                const CaretPosition quick = CaretPositionNow(editor_);
                const CaretPosition counted = CountCaretPosition(editor_);
                ASSERT_EQ(quick.line, counted.line) << "wrap " << wrap << ", document " << document.size()
                                                    << " lines, position " << position;
                ASSERT_EQ(quick.column, counted.column) << "position " << position;
                ASSERT_EQ(quick.lineCount, counted.lineCount) << "position " << position;
            }
            SetSelection(editor_, 0, -1);
            const CaretPosition all = CaretPositionNow(editor_);
            EXPECT_EQ(all.line, 0);
            EXPECT_EQ(all.column, 0);
        }
    }
}

TEST_F(EditorLinesTest, ObservedStateFollowsEditsAndSelection) {
    AddLines({"one", "two"});
    SetSelection(editor_, 2, 5);
    const EditorState before = ObserveEditor(editor_);
    EXPECT_EQ(before.selectionStart, 2);
    EXPECT_EQ(before.selectionEnd, 5);
    EXPECT_EQ(before.textLength, 7);
    EXPECT_EQ(before.lineCount, 2);
    EXPECT_GT(before.width, 0);
    EXPECT_TRUE(ObserveEditor(editor_) == before);

    ReplaceSelection(editor_, "\r\r");
    const EditorState after = ObserveEditor(editor_);
    EXPECT_FALSE(after == before);
    EXPECT_EQ(after.textLength, 6);
    EXPECT_EQ(after.lineCount, 3);
    EXPECT_EQ(after.selectionStart, 4);
}

}  // namespace
}  // namespace quillet
