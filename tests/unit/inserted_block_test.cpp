#include "document/inserted_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "document/text_transfer.h"
#include "support/insert_cases.h"
#include "support/line_model.h"
#include "support/random_cases.h"

namespace quillet {
namespace {

// The editor's text (lines joined by single CRs), its empty-first-line mark
// and its caret, with the control's line numbering: a text of n CRs has n + 1
// lines, and even an empty text has line 0.
struct EditorModel {
    std::string text;
    LineMark mark = LineMark::None;
    std::size_t caret = 0;

    static EditorModel Loaded(std::string_view bytes) {
        EditorText loaded = EditorTextFromFileBytes(std::string(bytes));
        return {loaded.text, loaded.mark, 0};
    }

    long LineOf(std::size_t position) const {
        long line = 0;
        for (std::size_t i = 0; i < position; ++i) line += text[i] == '\r';
        return line;
    }
    // EM_LINEINDEX: where the line starts, or npos past the last line.
    std::size_t LineIndex(long line) const {
        std::size_t start = 0;
        for (; line > 0; --line) {
            start = text.find('\r', start);
            if (start == std::string::npos) return start;
            ++start;
        }
        return start;
    }

    // Add line with an index, one EM_REPLACESEL at a time.
    void AddLine(const std::string& line, long index) {
        const std::size_t start = index < 0 ? std::string::npos : LineIndex(index);
        if (start != std::string::npos) {
            text.insert(start, line + '\r');
            caret = start + line.size() + 1;
            return;
        }
        const bool hadText = !text.empty();
        if (mark == LineMark::Pending) {
            text += '\r';
            mark = LineMark::Done;
        }
        if (hadText) {
            text += '\r' + line;
        } else {
            text += line;
            if (line.empty() && mark == LineMark::None) mark = LineMark::Pending;
        }
        caret = text.size();
    }

    // What Save writes: every line followed by CR LF.
    std::string Saved() const {
        if (text.empty() && mark == LineMark::None) return "";
        std::string bytes;
        for (char c : text) bytes += c == '\r' ? std::string("\r\n") : std::string(1, c);
        return bytes + "\r\n";
    }
};

// The reference: the file's lines read one by one, each added at the caret
// line's index, which then moves down one.
void InsertLineByLine(EditorModel& editor, std::string_view file) {
    long index = editor.LineOf(editor.caret);
    for (const std::string& line : SplitLines(file)) editor.AddLine(line, index++);
}

// The single transfer: the block at the start of the caret's line.
void InsertInOneGo(EditorModel& editor, std::string_view file) {
    const std::string block = InsertedBlockFromFileBytes(std::string(file));
    if (block.empty()) return;
    const std::size_t at = editor.LineIndex(editor.LineOf(editor.caret));
    editor.text.insert(at, block);
    editor.caret = at + block.size();
}

void ExpectSame(const EditorModel& reference, const EditorModel& bulk) {
    EXPECT_EQ(reference.text, bulk.text);
    EXPECT_EQ(static_cast<int>(reference.mark), static_cast<int>(bulk.mark));
    EXPECT_EQ(reference.caret, bulk.caret);
}

TEST(InsertedBlock, GivesTheDocumentOfEachCase) {
    for (const test::InsertCase& c : test::kInsertCases) {
        SCOPED_TRACE(c.name);
        EditorModel reference = EditorModel::Loaded(c.document);
        reference.caret = reference.LineIndex(c.caretLine) + static_cast<std::size_t>(c.caretColumn);
        EditorModel bulk = reference;
        InsertLineByLine(reference, c.file);
        InsertInOneGo(bulk, c.file);
        ExpectSame(reference, bulk);
        EXPECT_EQ(c.saved, bulk.Saved());
        EXPECT_EQ(c.caretLineAfter, bulk.LineOf(bulk.caret));
        if (!c.file.empty()) {
            EXPECT_EQ(bulk.LineIndex(c.caretLineAfter), bulk.caret);
        }
    }
}

std::string RandomBytes(test::RandomCases& random, std::size_t maxLength) {
    static const char alphabet[] = {'a', 'b', '\r', '\n', '\0'};
    std::string bytes(random.Next() % (maxLength + 1), 'a');
    for (char& c : bytes) c = random.Element(alphabet);
    return bytes;
}

TEST(InsertedBlock, MatchesLineByLineForAnyDocumentCaretAndFile) {
    test::RandomCases random(0x9E3779B9u);
    for (int i = 0; i < 20000; ++i) {
        SCOPED_TRACE(i);
        EditorModel reference = EditorModel::Loaded(RandomBytes(random, 12));
        reference.caret = random.Next() % (reference.text.size() + 1);
        EditorModel bulk = reference;
        const std::string file = RandomBytes(random, 16);
        InsertLineByLine(reference, file);
        InsertInOneGo(bulk, file);
        ExpectSame(reference, bulk);
        if (::testing::Test::HasFailure()) break;
    }
}

TEST(InsertedBlock, LongLinesAcrossManyReadBuffersStayWhole) {
    const std::string line(3 * LineReader::kBufferSize + 7, 'q');
    const std::string file = line + "\r\n" + line + "\r" + line;
    EXPECT_EQ(line + "\r" + line + "\r" + line + "\r", InsertedBlockFromFileBytes(file));
}

// Each of the file's lines by the line reader, then one CR: what adding the
// lines one by one above a line puts there.
TEST(InsertedBlock, IsEveryLineOfTheFileFollowedByOneBreak) {
    test::RandomCases random(0x9E3779B9u);
    for (int i = 0; i < 20000 && !HasFailure(); ++i) {
        // Mostly short; some long enough for lines across the reader's buffers.
        std::string bytes(i % 97 == 0 ? 3 * LineReader::kBufferSize : i % 17, 'a');
        for (char& c : bytes) {
            const std::uint32_t r = random.Next();
            c = r % 8 < 5 ? "ab"[r % 2] : "\r\n"[r % 3];  // [2] is the NUL
        }
        std::string reference;
        for (const std::string& line : SplitLines(bytes)) reference += line + '\r';
        EXPECT_EQ(reference, InsertedBlockFromFileBytes(bytes)) << ::testing::PrintToString(bytes);
    }
}

}  // namespace
}  // namespace quillet
