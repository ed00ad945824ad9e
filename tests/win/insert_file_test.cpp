// Insert: the single transfer against adding the file's lines one by one on
// the real control, and the command through the real file dialog.
#include "document_fixture.h"

#include <richedit.h>

#include <cstdint>

#include "document/file_io_win.h"
#include "document/insert_file_win.h"
#include "document/inserted_block.h"
#include "document/open_document_win.h"
#include "document/text_transfer.h"
#include "platform/editor_stream_out_win.h"
#include "support/editor_lines.h"
#include "support/file_faults.h"
#include "support/insert_cases.h"
#include "support/line_model.h"
#include "support/message_box_watch.h"
#include "support/random_cases.h"
#include "support/swapped_system_calls.h"
#include "support/view_probe.h"

namespace quillet {
namespace {

using test::AddLine;

long Send(HWND editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<long>(::SendMessageA(editor, message, wParam, lParam));
}
long CaretLine(HWND editor) { return Send(editor, EM_LINEFROMCHAR, GetSelection(editor).start); }
void PlaceCaret(HWND editor, long line, long column) {
    const long at = Send(editor, EM_LINEINDEX, line) + column;
    SetSelection(editor, at, at);
}
void Load(HWND editor, const std::string& bytes) {
    const EditorText text = EditorTextFromFileBytes(bytes);
    ASSERT_TRUE(LoadEditorText(editor, text.text, text.mark));
}
std::string Saved(HWND editor) {
    std::string streamed;
    EXPECT_TRUE(SaveEditorText(editor, streamed));
    return FileBytesFromStreamedText(streamed, LineCount(editor) > 0);
}

class InsertTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                    nullptr, nullptr);
        lineByLine_ = CreateEditor(parent_, 15, 0, 0, 600, 400);
        inOneGo_ = CreateEditor(parent_, 16, 0, 0, 600, 400);
        ASSERT_TRUE(lineByLine_ && inOneGo_);
    }
    void TearDown() override { ::DestroyWindow(parent_); }

    // Both editors hold document with the selection from start to end (the
    // caret at start when end is negative); the reference adds the file's
    // lines one by one at the caret line's index, which then moves down one;
    // the other takes the block in one go. Same outcome?
    void InsertBothWays(const std::string& document, long start, const std::string& file, long end = -1) {
        for (HWND editor : {lineByLine_, inOneGo_}) {
            Load(editor, document);
            SetSelection(editor, start, end < 0 ? start : end);
        }
        long index = CaretLine(lineByLine_);
        for (const std::string& line : SplitLines(file)) AddLine(lineByLine_, line, index++);
        InsertBlockAtCaretLine(inOneGo_, InsertedBlockFromFileBytes(file));
        EXPECT_EQ(Saved(lineByLine_), Saved(inOneGo_));
        EXPECT_EQ(LineCount(lineByLine_), LineCount(inOneGo_));
        EXPECT_EQ(GetLineMark(lineByLine_), GetLineMark(inOneGo_));
        EXPECT_EQ(GetSelection(lineByLine_).start, GetSelection(inOneGo_).start);
        EXPECT_EQ(GetSelection(lineByLine_).end, GetSelection(inOneGo_).end);
        EXPECT_EQ(GetSelection(inOneGo_).start, GetSelection(inOneGo_).end);
        EXPECT_EQ(IsModified(lineByLine_), IsModified(inOneGo_));
    }

    HWND parent_ = nullptr;
    HWND lineByLine_ = nullptr;
    HWND inOneGo_ = nullptr;
};

TEST_F(InsertTransferTest, GivesWhatAddingTheLinesOneByOneGives) {
    for (const test::InsertCase& c : test::kInsertCases) {
        SCOPED_TRACE(c.name);
        const std::string document(c.document);
        Load(inOneGo_, document);
        InsertBothWays(document, Send(inOneGo_, EM_LINEINDEX, c.caretLine) + c.caretColumn, std::string(c.file));
        EXPECT_EQ(c.saved, Saved(inOneGo_));
        EXPECT_EQ(c.caretLineAfter, CaretLine(inOneGo_));
        EXPECT_EQ(c.file.empty(), !IsModified(inOneGo_));
    }
    // With text selected, the block goes above the first selected line.
    InsertBothWays("l0\r\nl1\r\nl2\r\n", 4, "f\r\n", 8);  // from inside l1 into l2
    EXPECT_EQ("l0\r\nf\r\nl1\r\nl2\r\n", Saved(inOneGo_));
    test::RandomCases random(0x1234567u);  // then random documents, carets and files
    auto bytes = [&random](uint32_t maxLength) {
        std::string b(random.Last() % (maxLength + 1), 'a');
        for (char& c : b) c = random.Element("ab\r\n");  // the fifth is the string's NUL
        return b;
    };
    for (int i = 0; i < 60 && !HasFailure(); ++i) {
        SCOPED_TRACE(i);
        const std::string document = bytes(10);
        Load(inOneGo_, document);
        InsertBothWays(document, static_cast<long>(random.Last() % (TextLength(inOneGo_) + 1)), bytes(12));
    }
}

TEST_F(InsertTransferTest, OneUndoTakesBackTheWholeInsertionAndNothingTypedBefore) {
    Load(inOneGo_, "first\r\nlast");
    PlaceCaret(inOneGo_, 1, 0);
    ReplaceSelection(inOneGo_, "typed ");
    std::string file;
    for (int i = 0; i < 300; ++i) file += "inserted line " + std::to_string(i) + "\r\n";
    InsertBlockAtCaretLine(inOneGo_, InsertedBlockFromFileBytes(file));
    ASSERT_EQ(301, CaretLine(inOneGo_));
    Send(inOneGo_, WM_UNDO);
    EXPECT_EQ("first\r\ntyped last\r\n", Saved(inOneGo_));
}

TEST_F(InsertTransferTest, AWrappedLineIsNeverSplit) {
    std::string wide;
    for (int i = 0; i < 100; ++i) wide += "word ";
    Load(inOneGo_, "top\r\n" + wide + "\r\nend");
    Send(inOneGo_, EM_SETTARGETDEVICE, 0, 0);  // wrap at the window's edge
    const long rows = Send(inOneGo_, EM_GETLINECOUNT);
    ASSERT_GT(rows, 4);
    PlaceCaret(inOneGo_, rows - 2, 2);  // on the long line's last display row
    InsertBlockAtCaretLine(inOneGo_, InsertedBlockFromFileBytes("f0\r\nf1"));
    EXPECT_EQ("top\r\nf0\r\nf1\r\n" + wide + "\r\nend\r\n", Saved(inOneGo_));
}

// The command, against the real main window and file dialog.
class InsertCommandTest : public DocumentTest {
protected:
    // Insert, choosing path in its dialog; the message box shown, if any.
    std::string InsertThroughDialog(const std::string& path) {
        test::MessageBoxWatch box;
        test::DialogAnswerer choose("Insert into open file", [&](HWND d) { test::ChooseFileInDialog(d, path); });
        OnInsert(Context());
        EXPECT_TRUE(choose.Answered());
        return box.Finish();
    }
    std::string LoadedDocument(const std::string& bytes) {
        const std::string path = folder_.File("document.txt");
        test::WriteFileBytes(path, bytes);
        EXPECT_TRUE(LoadDocument(Context(), path));
        return path;
    }
};

TEST_F(InsertCommandTest, PutsTheLinesAboveTheFirstSelectedLineAndKeepsTheTitle) {
    const std::string document = LoadedDocument("l0\r\nl1\r\nl2\r\n");
    const std::string inserted = folder_.File("other file.txt");
    test::WriteFileBytes(inserted, "f0\nsee http://example.com/x");
    SetSelection(Editor(), Send(Editor(), EM_LINEINDEX, 1) + 1, Send(Editor(), EM_LINEINDEX, 2) + 1);
    EXPECT_EQ("", InsertThroughDialog(inserted));
    EXPECT_EQ("l0\r\nf0\r\nsee http://example.com/x\r\nl1\r\nl2\r\n", Saved(Editor()));
    EXPECT_EQ(Send(Editor(), EM_LINEINDEX, 3), GetSelection(Editor()).end);  // nothing selected
    EXPECT_EQ(3, CaretLine(Editor()));
    EXPECT_EQ("Quillet - " + document, Title());
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ(folder_.Path() + "\\", Setting(key::kInsert));
    EXPECT_TRUE(test::IsLinkAt(Editor(), Send(Editor(), EM_LINEINDEX, 2) + 10));  // links recognised in it
    EXPECT_EQ("l0\r\nl1\r\nl2\r\n", test::ReadFileBytes(document));  // the file is untouched
}

TEST_F(InsertCommandTest, NothingIsInsertedForACancelAMissingFileAnEmptyOneOrAReadError) {
    LoadedDocument("a\r\n");
    test::DialogAnswerer cancel("Insert into open file", [](HWND d) { test::PressButton(d, IDCANCEL); });
    OnInsert(Context());
    EXPECT_TRUE(cancel.Answered());
    EXPECT_EQ("", InsertThroughDialog(folder_.File("missing.txt")));  // silently
    test::MessageBoxWatch none;
    EXPECT_FALSE(InsertFile(Context(), folder_.Path()));  // a folder, silently too
    EXPECT_EQ("", none.Finish());
    const std::string failing = folder_.File("failing.txt");
    test::WriteFileBytes(failing, std::string(3 << 19, 'f'));
    {
        test::SwappedSystemCalls calls;
        calls->readFile = test::FailReadsAfterOneMegabyte;
        EXPECT_EQ("Insert: Quillet could not read " + failing + "\r\n\r\n" + SystemErrorText(ERROR_CRC) +
                      "\r\n\r\nNothing was inserted.",
                  InsertThroughDialog(failing));
    }
    EXPECT_EQ("", Setting(key::kInsert));
    const std::string empty = folder_.File("empty.txt");
    test::WriteFileBytes(empty, "");
    EXPECT_EQ("", InsertThroughDialog(empty));
    EXPECT_EQ(folder_.Path() + "\\", Setting(key::kInsert));  // the empty file was read
    EXPECT_EQ("a\r\n", Saved(Editor()));
    EXPECT_FALSE(IsModified(Editor()));
}

}  // namespace
}  // namespace quillet
