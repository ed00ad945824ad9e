// The one-transfer load and save give exactly the document and the bytes that
// adding the file's lines one by one, and writing each line back, would give.
#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "document/text_transfer.h"
#include "platform/editor_control_win.h"
#include "platform/editor_stream_out_win.h"
#include "platform/editor_text_win.h"
#include "support/editor_lines.h"
#include "support/line_model.h"

namespace quillet {
namespace {

using test::AddLine;
using test::LineText;

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                    nullptr, nullptr, nullptr);
        lineByLine_ = CreateEditor(parent_, 15, 0, 0, 600, 400);
        inOneGo_ = CreateEditor(parent_, 16, 0, 0, 600, 400);
        ASSERT_TRUE(lineByLine_ && inOneGo_);
    }
    void TearDown() override { ::DestroyWindow(parent_); }

    // The reference: the line reader feeding Add line, then Line text per line.
    std::string RoundTripLineByLine(const std::string& bytes) {
        ClearEditor(lineByLine_);
        for (const std::string& line : SplitLines(bytes)) AddLine(lineByLine_, line);
        std::vector<std::string> lines;
        const long count = LineCount(lineByLine_);
        for (long i = 0; i < count; ++i) lines.push_back(LineText(lineByLine_, i));
        return FileBytesFromLines(lines.data(), lines.size());
    }

    std::string RoundTripInOneGo(const std::string& bytes) {
        EditorText text = EditorTextFromFileBytes(bytes);
        EXPECT_TRUE(LoadEditorText(inOneGo_, text.text, text.mark));
        std::string streamed;
        EXPECT_TRUE(SaveEditorText(inOneGo_, streamed));
        return FileBytesFromStreamedText(streamed, LineCount(inOneGo_) > 0);
    }

    void ExpectSameDocument(const std::string& bytes) {
        const std::string reference = RoundTripLineByLine(bytes);
        const std::string bulk = RoundTripInOneGo(bytes);
        EXPECT_EQ(reference, bulk);
        const std::vector<std::string> lines = SplitLines(bytes);
        EXPECT_EQ(FileBytesFromLines(lines.data(), lines.size()), bulk);
        EXPECT_EQ(LineCount(lineByLine_), LineCount(inOneGo_));
        EXPECT_EQ(GetLineMark(lineByLine_), GetLineMark(inOneGo_));
        std::string a, b;
        SaveEditorText(lineByLine_, a);
        SaveEditorText(inOneGo_, b);
        EXPECT_EQ(a, b);
    }

    HWND parent_ = nullptr;
    HWND lineByLine_ = nullptr;
    HWND inOneGo_ = nullptr;
};

TEST_F(TransferTest, LineEndsOfEveryKind) {
    for (const char* bytes : {"", "a\r\nb\r\n", "a\r\nb", "a\nb\n", "a\rb", "a\n\rb", "a\r\r\nb",
                              "\r\n", "\n", "\r", "\r\nx", "x\r\n\r\n", "\r\n\r\n", "a\rb\r",
                              "one\r\ntwo\nthree\rfour\r\n\nsix"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(bytes)));
        ExpectSameDocument(bytes);
    }
}

TEST_F(TransferTest, NulsEndLines) {
    for (const std::string& bytes : {std::string("a\0b", 3), std::string("\0a", 2),
                                    std::string("a\0", 2), std::string("a\r\0b", 4)}) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        ExpectSameDocument(bytes);
    }
}

TEST_F(TransferTest, EveryByteValueButLineEndsSurvives) {
    std::string bytes;
    for (int c = 1; c < 256; ++c) {
        if (c != '\r' && c != '\n') bytes += static_cast<char>(c);
    }
    bytes += "\r\n";
    EXPECT_EQ(bytes, RoundTripInOneGo(bytes));
    ExpectSameDocument(bytes);
}

TEST_F(TransferTest, LinesLongerThanSixtyFourKilobytesStayWhole) {
    const std::string longLine(70000, 'q');
    const std::string bytes = "first\r\n" + longLine + "\r\nlast\r\n";
    ExpectSameDocument(bytes);
    EXPECT_EQ(longLine, LineText(inOneGo_, 1));
}

TEST_F(TransferTest, TextsOfManyChunksKeepTheirLineCount) {
    std::string bytes;
    for (int i = 0; i < 600; ++i) bytes += "line " + std::to_string(i) + " of a text longer than a chunk\r\n";
    ASSERT_GT(bytes.size(), 4u * 4096u);
    ExpectSameDocument(bytes);
    EXPECT_EQ(600, LineCount(inOneGo_));
}

TEST_F(TransferTest, CrLfPairsOnChunkBoundariesMakeOneBreakEach) {
    // Lines of 4095 bytes put a CR LF across every 4096-byte boundary.
    std::string bytes;
    for (int i = 0; i < 20; ++i) bytes += std::string(4094, 'a' + i % 26) + "\r\n";
    EXPECT_EQ(bytes, RoundTripInOneGo(bytes));
    EXPECT_EQ(20, LineCount(inOneGo_));
}

TEST_F(TransferTest, BulkLoadIsNotAnUndoStepAndLeavesTheFlagClear) {
    ReplaceSelection(inOneGo_, "typed");
    EditorText text = EditorTextFromFileBytes("loaded\r\n");
    ASSERT_TRUE(LoadEditorText(inOneGo_, text.text, text.mark));
    SetModified(inOneGo_, false);
    EXPECT_EQ(0, ::SendMessageA(inOneGo_, EM_CANUNDO, 0, 0));
    ::SendMessageA(inOneGo_, WM_UNDO, 0, 0);
    std::string streamed;
    SaveEditorText(inOneGo_, streamed);
    EXPECT_EQ("loaded", streamed);
}

TEST_F(TransferTest, WrappedDisplayLinesDoNotChangeTheSavedBytes) {
    std::string bytes = "short\r\n";
    for (int i = 0; i < 200; ++i) bytes += "word ";
    bytes += "\r\nend\r\n";
    EditorText text = EditorTextFromFileBytes(bytes);
    ASSERT_TRUE(LoadEditorText(inOneGo_, text.text, text.mark));
    ::SendMessageA(inOneGo_, EM_SETTARGETDEVICE, 0, 0);  // wrap at the window edge
    ASSERT_GT(::SendMessageA(inOneGo_, EM_GETLINECOUNT, 0, 0), 3);
    std::string streamed;
    ASSERT_TRUE(SaveEditorText(inOneGo_, streamed));
    EXPECT_EQ(bytes, FileBytesFromStreamedText(streamed, LineCount(inOneGo_) > 0));
}

}  // namespace
}  // namespace quillet
