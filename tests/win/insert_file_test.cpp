// Insert: the single transfer against adding the file's lines one by one on
// the real control, and the command through the real file dialog.
#include "document_fixture.h"

#include <richedit.h>

#include <cstdint>
#include <string_view>

#include "document/file_io_win.h"
#include "document/insert_file_win.h"
#include "document/inserted_block.h"
#include "document/line_reader.h"
#include "document/open_document_win.h"
#include "document/text_transfer.h"
#include "support/insert_cases.h"

namespace quillet {
namespace {

using test::DialogAnswerer;
using test::PressButton;
using test::WriteFileBytes;

LRESULT Send(HWND editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(editor, message, wParam, lParam);
}

void Load(HWND editor, std::string_view bytes) {
    const EditorText text = EditorTextFromFileBytes(std::string(bytes));
    ASSERT_TRUE(LoadEditorText(editor, text.text, text.mark));
}

void PlaceCaret(HWND editor, long line, long column) {
    const long at = static_cast<long>(Send(editor, EM_LINEINDEX, static_cast<WPARAM>(line))) + column;
    SetSelection(editor, at, at);
}

long CaretLine(HWND editor) {
    return static_cast<long>(Send(editor, EM_LINEFROMCHAR, static_cast<WPARAM>(GetSelection(editor).start)));
}

std::string Saved(HWND editor) {
    std::string streamed;
    EXPECT_TRUE(SaveEditorText(editor, streamed));
    return FileBytesFromStreamedText(streamed, LineCount(editor) > 0);
}

// The reference: each of the file's lines added at the caret line's index,
// which then moves down one.
void InsertLineByLine(HWND editor, std::string_view file) {
    long index = CaretLine(editor);
    for (const std::string& line : SplitLines(file)) AddLine(editor, line, index++);
}

void InsertInOneGo(HWND editor, std::string_view file) {
    InsertBlockAtCaretLine(editor, InsertedBlockFromFileBytes(std::string(file)));
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

    void ExpectSameDocuments() {
        EXPECT_EQ(Saved(lineByLine_), Saved(inOneGo_));
        EXPECT_EQ(LineCount(lineByLine_), LineCount(inOneGo_));
        EXPECT_EQ(GetLineMark(lineByLine_), GetLineMark(inOneGo_));
        EXPECT_EQ(GetSelection(lineByLine_).start, GetSelection(inOneGo_).start);
        EXPECT_EQ(GetSelection(lineByLine_).end, GetSelection(inOneGo_).end);
        EXPECT_EQ(IsModified(lineByLine_), IsModified(inOneGo_));
    }

    HWND parent_ = nullptr;
    HWND lineByLine_ = nullptr;
    HWND inOneGo_ = nullptr;
};

TEST_F(InsertTransferTest, EachCaseGivesWhatAddingTheLinesOneByOneGives) {
    for (const test::InsertCase& c : test::kInsertCases) {
        SCOPED_TRACE(c.name);
        for (HWND editor : {lineByLine_, inOneGo_}) {
            Load(editor, c.document);
            PlaceCaret(editor, c.caretLine, c.caretColumn);
        }
        InsertLineByLine(lineByLine_, c.file);
        InsertInOneGo(inOneGo_, c.file);
        ExpectSameDocuments();
        EXPECT_EQ(c.saved, Saved(inOneGo_));
        EXPECT_EQ(c.caretLineAfter, CaretLine(inOneGo_));
        EXPECT_EQ(c.file.empty(), !IsModified(inOneGo_));
    }
}

TEST_F(InsertTransferTest, RandomDocumentsCaretsAndFiles) {
    const char alphabet[] = {'a', 'b', '\r', '\n', '\0'};
    uint32_t state = 0x1234567u;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    auto bytes = [&](uint32_t maxLength) {
        std::string b(next() % (maxLength + 1), 'a');
        for (char& c : b) c = alphabet[next() % 5];
        return b;
    };
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        const std::string document = bytes(10);
        const std::string file = bytes(12);
        Load(lineByLine_, document);
        const long caret = static_cast<long>(next() % (TextLength(lineByLine_) + 1));
        for (HWND editor : {lineByLine_, inOneGo_}) {
            Load(editor, document);
            SetSelection(editor, caret, caret);
        }
        InsertLineByLine(lineByLine_, file);
        InsertInOneGo(inOneGo_, file);
        ExpectSameDocuments();
        if (HasFailure()) break;
    }
}

TEST_F(InsertTransferTest, WithTextSelectedTheBlockGoesAboveTheFirstSelectedLine) {
    for (HWND editor : {lineByLine_, inOneGo_}) {
        Load(editor, "l0\r\nl1\r\nl2\r\n");
        const long start = static_cast<long>(Send(editor, EM_LINEINDEX, 1)) + 1;
        SetSelection(editor, start, start + 4);  // from inside l1 into l2
    }
    InsertLineByLine(lineByLine_, "f\r\n");
    InsertInOneGo(inOneGo_, "f\r\n");
    ExpectSameDocuments();
    EXPECT_EQ("l0\r\nf\r\nl1\r\nl2\r\n", Saved(inOneGo_));
}

TEST_F(InsertTransferTest, OneUndoTakesBackTheWholeInsertionAndNothingTypedBefore) {
    Load(inOneGo_, "first\r\nlast");
    PlaceCaret(inOneGo_, 1, 0);
    ReplaceSelection(inOneGo_, "typed ");
    std::string file;
    for (int i = 0; i < 300; ++i) file += "inserted line " + std::to_string(i) + "\r\n";
    InsertInOneGo(inOneGo_, file);
    ASSERT_EQ(301, CaretLine(inOneGo_));
    Send(inOneGo_, WM_UNDO);
    EXPECT_EQ("first\r\ntyped last\r\n", Saved(inOneGo_));
}

TEST_F(InsertTransferTest, AWrappedLineIsNeverSplit) {
    std::string wide;
    for (int i = 0; i < 100; ++i) wide += "word ";
    Load(inOneGo_, "top\r\n" + wide + "\r\nend");
    Send(inOneGo_, EM_SETTARGETDEVICE, 0, 0);  // wrap at the window's edge
    const long rowsBefore = static_cast<long>(Send(inOneGo_, EM_GETLINECOUNT));
    ASSERT_GT(rowsBefore, 4);
    // The caret on a later display row of the long line.
    const long lastRowOfWide = rowsBefore - 2;
    PlaceCaret(inOneGo_, lastRowOfWide, 2);
    InsertInOneGo(inOneGo_, "f0\r\nf1");
    EXPECT_EQ("top\r\nf0\r\nf1\r\n" + wide + "\r\nend\r\n", Saved(inOneGo_));
}

bool IsLink(HWND editor, long line, long column) {
    const Selection kept = GetSelection(editor);
    const long at = static_cast<long>(Send(editor, EM_LINEINDEX, static_cast<WPARAM>(line))) + column;
    SetSelection(editor, at, at + 1);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    Send(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SetSelection(editor, kept.start, kept.end);
    return (format.dwMask & CFM_LINK) && (format.dwEffects & CFE_LINK);
}

// The command, against the real main window and file dialog.
class InsertCommandTest : public DocumentTest {
protected:
    void ChooseInDialog(const std::string& path) {
        DialogAnswerer choose("Insert into open file", [&](HWND d) { test::ChooseFileInDialog(d, path); });
        OnInsert(Context());
        EXPECT_TRUE(choose.Answered());
    }
    std::string LoadedDocument(const std::string& bytes) {
        const std::string path = folder_.File("document.txt");
        WriteFileBytes(path, bytes);
        EXPECT_TRUE(LoadDocument(Context(), path));
        return path;
    }
};

TEST_F(InsertCommandTest, PutsTheLinesAboveTheCaretLineAndKeepsTheTitle) {
    const std::string document = LoadedDocument("l0\r\nl1\r\nl2\r\n");
    const std::string inserted = folder_.File("other folder name.txt");
    WriteFileBytes(inserted, "f0\nsee http://example.com/x");
    PlaceCaret(Editor(), 1, 1);
    ChooseInDialog(inserted);
    EXPECT_EQ("l0\r\nf0\r\nsee http://example.com/x\r\nl1\r\nl2\r\n", Saved(Editor()));
    EXPECT_TRUE(IsLink(Editor(), 2, 10));  // the editor recognises links in the inserted text
    EXPECT_EQ(3, CaretLine(Editor()));
    EXPECT_EQ(GetSelection(Editor()).start, GetSelection(Editor()).end);
    EXPECT_EQ("Quillet - " + document, Title());
    EXPECT_TRUE(IsModified(Editor()));
    EXPECT_EQ(folder_.Path() + "\\", Setting(key::kInsert));
    EXPECT_EQ(std::string("l0\r\nl1\r\nl2\r\n"), test::ReadFileBytes(document));
}

TEST_F(InsertCommandTest, AnEmptyFileChangesNothingButIsRemembered) {
    LoadedDocument("a\r\n");
    const std::string empty = folder_.File("empty.txt");
    WriteFileBytes(empty, "");
    ChooseInDialog(empty);
    EXPECT_EQ("a\r\n", Saved(Editor()));
    EXPECT_FALSE(IsModified(Editor()));
    EXPECT_EQ(folder_.Path() + "\\", Setting(key::kInsert));
}

TEST_F(InsertCommandTest, AFileThatCannotBeOpenedOrACancelChangesNothingSilently) {
    Type("kept");
    DialogAnswerer cancel("Insert into open file", [](HWND d) { PressButton(d, IDCANCEL); });
    OnInsert(Context());
    EXPECT_TRUE(cancel.Answered());
    DialogAnswerer none("Insert", [](HWND d) { PressButton(d, IDOK); }, 300);
    EXPECT_FALSE(InsertFile(Context(), folder_.File("missing.txt")));
    EXPECT_FALSE(InsertFile(Context(), folder_.Path()));
    EXPECT_FALSE(none.Answered());
    EXPECT_EQ("kept\r\n", Saved(Editor()));
    EXPECT_EQ("", Setting(key::kInsert));
}

// Reads the first megabyte, then fails as a failing disk would.
BOOL FailAfterOneMegabyte(HANDLE file, void* data, DWORD size, DWORD* read) {
    LARGE_INTEGER position{};
    ::SetFilePointerEx(file, position, &position, FILE_CURRENT);
    if (position.QuadPart >= (1 << 20)) {
        ::SetLastError(ERROR_CRC);
        return FALSE;
    }
    return ::ReadFile(file, data, size, read, nullptr);
}

TEST_F(InsertCommandTest, AReadErrorPartWayInsertsNothingAndSaysSo) {
    LoadedDocument("a\r\n");
    const std::string failing = folder_.File("failing.txt");
    std::string bytes;
    while (bytes.size() < (3u << 19)) bytes += "a line of the failing file\r\n";
    WriteFileBytes(failing, bytes);
    SetReadFileForTesting(FailAfterOneMegabyte);
    DialogAnswerer told("Insert", [](HWND d) { PressButton(d, IDOK); });
    EXPECT_FALSE(InsertFile(Context(), failing));
    SetReadFileForTesting(nullptr);
    ASSERT_TRUE(told.Answered());
    EXPECT_NE(std::string::npos, told.DialogText().find(failing));
    EXPECT_NE(std::string::npos, told.DialogText().find(SystemErrorText(ERROR_CRC)));
    EXPECT_EQ("a\r\n", Saved(Editor()));
    EXPECT_FALSE(IsModified(Editor()));
    EXPECT_EQ("", Setting(key::kInsert));
}

}  // namespace
}  // namespace quillet
