#include "support/line_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace quillet {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

TEST(SplitLines, LineEnds) {
    struct Case {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\0b"s, {"a", "b"}},
        {"\0a"s, {"", "a"}},
        {"a\0"s, {"a"}},
        {"\r\n", {""}},
        {"\r\nx", {"", "x"}},
        {"a\r", {"a"}},
        {"\r", {""}},
        {"\r\r", {"", ""}},
        {"\n\n\n", {"", "", ""}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n\r", {"", ""}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"x\ty \x7f\xff", {"x\ty \x7f\xff"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitLines(c.bytes), c.lines) << testing::PrintToString(c.bytes);
    }
}

// A source that hands out its bytes in pieces of a fixed size, however much
// the reader asks for, and can fail after a given number of bytes.
struct ChunkedSource {
    std::string bytes;
    std::size_t chunk;
    std::size_t failAt = std::string::npos;
    std::size_t offset = 0;
    int callsAfterEnd = 0;

    long Read(char* buffer, std::size_t size) {
        if (offset >= failAt) {
            ++callsAfterEnd;
            return -1;
        }
        const std::size_t n = std::min({size, chunk, bytes.size() - offset, failAt - offset});
        if (n == 0) {
            ++callsAfterEnd;
        }
        std::memcpy(buffer, bytes.data() + offset, n);
        offset += n;
        return static_cast<long>(n);
    }
};

Lines ReadAll(LineReader& reader) {
    Lines lines;
    while (!reader.AtEnd()) {
        lines.push_back(reader.ReadLine());
    }
    return lines;
}

TEST(LineReader, SameLinesWhateverTheReadSizes) {
    const std::string bytes = "one\r\ntwo\rthree\n\r\n\0four\r\r\nfive\r"s;
    const Lines expected = SplitLines(bytes);
    ASSERT_EQ(expected, (Lines{"one", "two", "three", "", "", "four", "", "five"}));
    for (std::size_t chunk : {1, 2, 3, 4, 5, 7, 4096}) {
        ChunkedSource source{bytes, chunk};
        LineReader reader([&source](char* b, std::size_t s) { return source.Read(b, s); });
        EXPECT_EQ(ReadAll(reader), expected) << chunk;
        EXPECT_FALSE(reader.Failed());
        EXPECT_EQ(source.callsAfterEnd, 1) << "the end is asked for once";
    }
}

TEST(LineReader, CrLfSplitAcrossTwoReads) {
    ChunkedSource source{"ab\r\ncd", 3};  // "ab\r" then "\ncd"
    LineReader reader([&source](char* b, std::size_t s) { return source.Read(b, s); });
    EXPECT_EQ(ReadAll(reader), (Lines{"ab", "cd"}));
}

TEST(LineReader, CrAtTheBufferBoundary) {
    const std::size_t n = LineReader::kBufferSize;
    std::string crLf(n - 1, 'a');
    crLf += "\r\nb";
    EXPECT_EQ(SplitLines(crLf), (Lines{std::string(n - 1, 'a'), "b"}));

    std::string loneCr(n - 1, 'a');
    loneCr += "\rb";
    EXPECT_EQ(SplitLines(loneCr), (Lines{std::string(n - 1, 'a'), "b"}));

    std::string crLast(n - 1, 'a');
    crLast += "\r";
    EXPECT_EQ(SplitLines(crLast), (Lines{std::string(n - 1, 'a')}));

    std::string crCr(n - 1, 'a');
    crCr += "\r\r";
    EXPECT_EQ(SplitLines(crCr), (Lines{std::string(n - 1, 'a'), ""}));
}

TEST(LineReader, LinesOfAnyLength) {
    const std::string longLine(200 * 1024 + 17, 'x');
    EXPECT_EQ(SplitLines(longLine + "\r\nshort\n" + longLine),
              (Lines{longLine, "short", longLine}));
}

TEST(LineReader, FailedReadEndsTheFileKeepingWhatWasRead) {
    ChunkedSource source{"first\r\nsecond line\r\nthird\r\n", 5, 12};
    LineReader reader([&source](char* b, std::size_t s) { return source.Read(b, s); });
    EXPECT_EQ(ReadAll(reader), (Lines{"first", "secon"}));
    EXPECT_TRUE(reader.Failed());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(source.callsAfterEnd, 1) << "a failed source is not asked again";
}

TEST(LineReader, FailureOnTheFirstRead) {
    LineReader reader([](char*, std::size_t) -> long { return -1; });
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_TRUE(reader.Failed());
}

TEST(LineReader, EndOfFileIsNotAFailure) {
    LineReader reader([](char*, std::size_t) -> long { return 0; });
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.Failed());
}

}  // namespace
}  // namespace quillet
