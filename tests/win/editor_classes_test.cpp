// Every editor operation on both controls the program may get: RichEdit 2.0
// ("RichEdit20A") and, where RICHED20.DLL is missing, RichEdit 1.0
// ("RichEdit"), which keeps a line break as CR LF. Windows' 1.0 control
// answers the 2.0 messages EM_GETTEXTLENGTHEX and EM_SETUNDOLIMIT with 0;
// Wine's answers them, so the test makes its 1.0 control answer as Windows'
// does.
#include "document_fixture.h"

#include <richedit.h>

#include <vector>

#include "app/status_bar_win.h"
#include "document/insert_file_win.h"
#include "document/open_document_win.h"
#include "document/save_document_win.h"
#include "platform/editor_change_note.h"
#include "support/editor_lines.h"
#include "support/main_window_probe.h"
#include "support/swapped_system_calls.h"

namespace quillet {
namespace {

using test::AddLine;
using test::LineText;
using test::CaretPositionNow;
using test::CountCaretPosition;

WNDPROC& RichEdit10Procedure() {
    static WNDPROC procedure = nullptr;
    return procedure;
}

LRESULT CALLBACK AsWindowsRichEdit10(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_GETTEXTLENGTHEX || message == EM_SETUNDOLIMIT) return 0;
    return ::CallWindowProcA(RichEdit10Procedure(), window, message, wParam, lParam);
}

// Every 1.0 control made (a document is loaded into a fresh one) answers as
// Windows' does.
void LikeWindowsRichEdit10(HWND editor) {
    RichEdit10Procedure() = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AsWindowsRichEdit10)));
}

class EditorClassTest : public DocumentTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        if (GetParam()) {
            calls_->loadRichEdit20 = [] { return false; };
            calls_->editorCreated = LikeWindowsRichEdit10;
        }
        DocumentTest::SetUp();
        calls_->loadRichEdit20 = calls_.Saved().loadRichEdit20;
    }

    test::SwappedSystemCalls calls_;

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (long i = 0, count = LineCount(Editor()); i < count; ++i) lines.push_back(LineText(Editor(), i));
        return lines;
    }
};

INSTANTIATE_TEST_SUITE_P(BothControls, EditorClassTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "RichEdit10" : "RichEdit20");
                         });

TEST_P(EditorClassTest, IsTheControlAsked) {
    char className[32] = {};
    ::GetClassNameA(Editor(), className, sizeof className);
    EXPECT_STRCASEEQ(GetParam() ? "RichEdit" : "RichEdit20A", className);
}

// Lines of every kind, enough of them to cross the control's 4096-byte reads
// with CR LF pairs, and one line longer than 65,535 characters.
TEST_P(EditorClassTest, AFileRoundTripsLineForLine) {
    std::vector<std::string> lines{"", "first", "", ""};
    for (int i = 0; i < 1000; ++i) lines.push_back("line " + std::to_string(i));
    lines.push_back(std::string(70000, 'L'));
    lines.push_back("last");
    std::string loaded;
    std::string saved;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        loaded += lines[i];
        if (i + 1 < lines.size()) loaded += i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r";  // none after the last
        saved += lines[i] + "\r\n";
    }
    const std::string path = folder_.File("lines.txt");
    test::WriteFileBytes(path, loaded);
    ASSERT_TRUE(LoadDocument(Context(), path));
    EXPECT_EQ(static_cast<long>(lines.size()), LineCount(Editor()));
    EXPECT_EQ(lines, Lines());
    Type("x");  // at the start, on the empty first line
    lines.front() = "x";
    ASSERT_TRUE(SaveDocument(Context()));
    EXPECT_EQ("x" + saved, test::ReadFileBytes(path));
    ASSERT_TRUE(LoadDocument(Context(), path));
    EXPECT_EQ(lines, Lines());
}

TEST_P(EditorClassTest, AddedLinesAndAnEmptyDocument) {
    const struct Case {
        std::vector<std::string> added;
        std::string saved;
    } cases[] = {
        {{}, ""},
        {{""}, "\r\n"},
        {{"", ""}, "\r\n\r\n"},
        {{"a", "", "b"}, "a\r\n\r\nb\r\n"},
    };
    const std::string path = folder_.File("added.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved);
        ClearEditor(Editor());
        for (const std::string& line : c.added) AddLine(Editor(), line);
        EXPECT_EQ(c.added, Lines());
        ASSERT_TRUE(WriteDocument(Context(), path));
        EXPECT_EQ(c.saved, test::ReadFileBytes(path));
    }
    ClearEditor(Editor());
    for (const char* line : {"one", "four"}) AddLine(Editor(), line);
    AddLine(Editor(), "two", 1);
    SetSelection(Editor(), -1, -1);
    InsertBlockAtCaretLine(Editor(), "three\r");  // as Insert puts a file's lines in
    EXPECT_EQ((std::vector<std::string>{"one", "two", "three", "four"}), Lines());
    ASSERT_TRUE(WriteDocument(Context(), path));
    EXPECT_EQ("one\r\ntwo\r\nthree\r\nfour\r\n", test::ReadFileBytes(path));
}

// The status bar's figures, and the text length they lean on: at the very
// end the caret's position is the text's length on either control.
TEST_P(EditorClassTest, StatusFiguresAtEveryKindOfPlace) {
    for (const char* line : {"alpha", "", "gamma12", "delta"}) AddLine(Editor(), line);
    SetSelection(Editor(), -1, -1);
    EXPECT_EQ(GetSelection(Editor()).start, TextLength(Editor()));
    const long lastLineStart = static_cast<long>(::SendMessageA(Editor(), EM_LINEINDEX, 3, 0));
    const struct Place {
        long position;
        const char* shown;
    } places[] = {
        {0, "Char 1 Line 1 of 4 lines"},
        {3, "Char 4 Line 1 of 4 lines"},
        {lastLineStart, "Char 1 Line 4 of 4 lines"},
        {lastLineStart + 5, "Char 6 Line 4 of 4 lines"},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.shown);
        SetSelection(Editor(), place.position, place.position);
        const CaretPosition fast = CaretPositionNow(Editor());
        const CaretPosition counted = CountCaretPosition(Editor());
        EXPECT_EQ(counted.column, fast.column);
        EXPECT_EQ(counted.line, fast.line);
        EXPECT_EQ(counted.lineCount, fast.lineCount);
        NoteEditorChanged();
        RefreshStatusBar(TheMainWindow());
        EXPECT_EQ(place.shown, test::StatusBarText(TheMainWindow().statusBar));
    }
}

}  // namespace
}  // namespace quillet
