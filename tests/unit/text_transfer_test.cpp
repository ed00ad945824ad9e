#include "document/text_transfer.h"

#include "support/line_model.h"
#include "support/random_cases.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

namespace quillet {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

// The editor's Add line, one line at a time at the end: the reference the
// single transfer must match.
struct EditorModel {
    std::string text;
    LineMark mark = LineMark::None;

    void AddLine(const std::string& line) {
        const bool hadText = !text.empty();
        if (mark == LineMark::Pending) {
            text += '\r';
            mark = LineMark::Done;
        }
        if (hadText) {
            text += '\r';
            text += line;
        } else {
            text += line;
            if (line.empty() && mark == LineMark::None) {
                mark = LineMark::Pending;
            }
        }
    }
};

EditorModel LoadLineByLine(const std::string& bytes) {
    EditorModel editor;
    for (const std::string& line : SplitLines(bytes)) {
        editor.AddLine(line);
    }
    return editor;
}

std::string Join(const Lines& lines, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += (i ? separator : "") + lines[i];
    }
    return out;
}

const char* MarkName(LineMark mark) {
    switch (mark) {
        case LineMark::None: return "None";
        case LineMark::Pending: return "Pending";
        case LineMark::Done: return "Done";
    }
    return "?";
}

void ExpectSameAsLineByLine(const std::string& bytes) {
    const EditorModel reference = LoadLineByLine(bytes);
    const Lines lines = SplitLines(bytes);
    const EditorText fast = EditorTextFromFileBytes(bytes);
    ASSERT_EQ(fast.text, Join(lines, "\r")) << testing::PrintToString(bytes);
    ASSERT_EQ(fast.text, reference.text) << testing::PrintToString(bytes);
    ASSERT_STREQ(MarkName(fast.mark), MarkName(reference.mark)) << testing::PrintToString(bytes);
}

void ExpectRoundTrip(const std::string& bytes) {
    const Lines lines = SplitLines(bytes);
    const std::string written = FileBytesFromLines(lines.data(), lines.size());
    ASSERT_EQ(SplitLines(written), lines) << testing::PrintToString(bytes);
    // Writing what was read back again changes nothing: load/save cycles are stable.
    const Lines reread = SplitLines(written);
    ASSERT_EQ(FileBytesFromLines(reread.data(), reread.size()), written);
    // The control streams its lines joined by CR LF; the writer completes that.
    ASSERT_EQ(FileBytesFromStreamedText(Join(lines, "\r\n"), !lines.empty()), written);
    // And so does a writer that takes the streamed text in pieces.
    ASSERT_EQ(Join(lines, "\r\n") + std::string(FileEndAfterStreamedText(!lines.empty())), written);
    // What the control streams out goes back in as the text it held.
    ASSERT_EQ(CrTextFromStreamedText(Join(lines, "\r\n")), Join(lines, "\r"));
}

TEST(EditorTextFromFileBytes, MarkRule) {
    struct Case {
        std::string bytes;
        const char* text;
        LineMark mark;
    } cases[] = {
        {"", "", LineMark::None},
        {"a", "a", LineMark::None},
        {"a\r\n", "a", LineMark::None},
        {"a\r\n\r\n", "a\r", LineMark::None},
        {"\r\n", "", LineMark::Pending},
        {"\n", "", LineMark::Pending},
        {"\r", "", LineMark::Pending},
        {"\0"s, "", LineMark::Pending},
        {"\r\nx", "\rx", LineMark::Done},
        {"\r\n\r\n", "\r", LineMark::Done},
        {"\n\r", "\r", LineMark::Done},
        {"\0\0\0"s, "\r\r", LineMark::Done},
    };
    for (const Case& c : cases) {
        const EditorText t = EditorTextFromFileBytes(c.bytes);
        EXPECT_EQ(t.text, c.text) << testing::PrintToString(c.bytes);
        EXPECT_STREQ(MarkName(t.mark), MarkName(c.mark)) << testing::PrintToString(c.bytes);
    }
}

TEST(EditorTextFromFileBytes, HandPickedInputs) {
    std::string everyOtherByte;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') {
            everyOtherByte += static_cast<char>(b);
        }
    }
    const std::string longLine(std::size_t{70} * 1024, 'L');
    std::string manyChunks;
    for (int i = 0; i < 3000; ++i) {
        manyChunks += "line " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    }
    const std::string inputs[] = {
        "a\r\nb\r\n", "a\nb\n", "a\rb", "a\n\rb", "a\r\r\nb", "a\0b"s, "\0a"s, "\r\nx",
        "x\r", "\r\n\r\n\r\n", "\n\n", "end\r\n\r", everyOtherByte,
        everyOtherByte + "\r\n" + everyOtherByte, "\r\n" + everyOtherByte + "\r",
        longLine, longLine + "\r\n" + longLine + "\r", "\n" + longLine, manyChunks,
        "\r" + manyChunks + "\0"s,
    };
    for (const std::string& bytes : inputs) {
        ExpectSameAsLineByLine(bytes);
        ExpectRoundTrip(bytes);
    }
}

TEST(EditorTextFromFileBytes, MatchesLineByLineOnRandomInputs) {
    const char alphabet[] = {'a', '\r', '\n', '\0'};
    test::RandomCases random(0x2545F491u);
    for (int i = 0; i < 20000; ++i) {
        const std::size_t length = random.Next() % 24;
        std::string bytes;
        for (std::size_t j = 0; j < length; ++j) {
            bytes += random.Element(alphabet);
        }
        SCOPED_TRACE(i);
        ExpectSameAsLineByLine(bytes);
        ExpectRoundTrip(bytes);
    }
}

TEST(EditorTextFromFileBytes, MatchesLineByLineAcrossManyReadBuffers) {
    const char alphabet[] = {'a', 'b', '\r', '\n', '\0'};
    test::RandomCases random(12345u);
    for (int i = 0; i < 40; ++i) {
        std::string bytes;
        const std::size_t length = 3 * LineReader::kBufferSize + random.Next() % 20000;
        for (std::size_t j = 0; j < length; ++j) {
            // Mostly letters, so that lines run over buffer boundaries.
            const uint32_t r = random.Next() % 64;
            bytes += r < 60 ? alphabet[r % 2] : alphabet[2 + r % 3];
        }
        SCOPED_TRACE(i);
        ExpectSameAsLineByLine(bytes);
        ExpectRoundTrip(bytes);
    }
}

TEST(EditorTextFromFileBytes, ConvertsInPlace) {
    std::string bytes(1 << 20, 'x');
    for (std::size_t i = 0; i < bytes.size(); i += 100) {
        bytes.replace(i, 2, "\r\n");
    }
    // Compared as addresses only: the moved-from string is never read.
    const auto storage = reinterpret_cast<std::uintptr_t>(bytes.data());
    const EditorText t = EditorTextFromFileBytes(std::move(bytes));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(t.text.data()), storage);
    EXPECT_EQ(t.text.size(), (1u << 20) - (1u << 20) / 100 - 1);
}

TEST(EditorTextFromFileBytes, TenMegabytesQuickly) {
    std::string bytes;
    bytes.reserve(10 << 20);
    while (bytes.size() < (10u << 20)) {
        bytes += "The quick brown fox jumps over the lazy dog.\r\n";
    }
    const auto start = std::chrono::steady_clock::now();
    const EditorText t = EditorTextFromFileBytes(std::move(bytes));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(t.text.empty());
    // Generous enough for an unoptimised, sanitised build (an optimised one
    // needs some tens of milliseconds); anything worse than linear fails here.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);
}

TEST(FileBytes, EmptyDocumentWritesNothing) {
    EXPECT_EQ(FileBytesFromStreamedText("", false), "");
    EXPECT_EQ(FileBytesFromLines(nullptr, 0), "");
}

TEST(FileBytes, EveryLineEndsWithCrLf) {
    const Lines one{""};
    EXPECT_EQ(FileBytesFromLines(one.data(), one.size()), "\r\n");
    EXPECT_EQ(FileBytesFromStreamedText("", true), "\r\n");
    const Lines two{"a", "b"};
    EXPECT_EQ(FileBytesFromLines(two.data(), two.size()), "a\r\nb\r\n");
    EXPECT_EQ(FileBytesFromStreamedText("a\r\nb", true), "a\r\nb\r\n");
}

TEST(CrTextFromStreamedText, OnlyAPairBecomesOneCr) {
    EXPECT_EQ(CrTextFromStreamedText("a\r\n\nb\n\r\r\n"s), "a\r\nb\n\r\r");
    EXPECT_EQ(CrTextFromStreamedText("\r\n\r\n"s), "\r\r");
    EXPECT_EQ(CrTextFromStreamedText(""s), "");
}

TEST(FileBytes, LoadThenSave) {
    struct Case {
        std::string loaded;
        std::string saved;
    } cases[] = {
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\r\nb", "a\r\nb\r\n"},
        {"", ""},
        {"\r\n", "\r\n"},
        {"\r\nx", "\r\nx\r\n"},
        {"a\0b"s, "a\r\nb\r\n"},
    };
    for (const Case& c : cases) {
        const Lines lines = SplitLines(c.loaded);
        EXPECT_EQ(FileBytesFromLines(lines.data(), lines.size()), c.saved);
    }
}

}  // namespace
}  // namespace quillet
