// Inserting a file above the caret's line: documents, carets and files with
// the document each must give. Shared by the unit tests of the text rule and
// the tests against the real editor. Portable.
#pragma once

#include <string_view>

namespace quillet::test {

using namespace std::string_view_literals;

struct InsertCase {
    const char* name;
    std::string_view document;  // file bytes, loaded as the document
    long caretLine;             // the caret, zero-based, in the loaded document
    long caretColumn;
    std::string_view file;   // the inserted file's bytes
    std::string_view saved;  // the document afterwards, as Save writes it
    long caretLineAfter;     // the caret's line afterwards, at column 0
};

inline constexpr InsertCase kInsertCases[] = {
    {"caret mid-line 2 of five, two-line file", "l0\r\nl1\r\nl2\r\nl3\r\nl4", 2, 1, "f0\r\nf1\r\n",
     "l0\r\nl1\r\nf0\r\nf1\r\nl2\r\nl3\r\nl4\r\n", 4},
    {"caret on the first line", "l0\r\nl1", 0, 2, "f0\nf1", "f0\r\nf1\r\nl0\r\nl1\r\n", 2},
    {"caret at the end of a last line without a break", "a\r\nlast", 1, 4, "f\r\n",
     "a\r\nf\r\nlast\r\n", 2},
    {"caret on the empty line after a final break", "a\r\n\r\n", 1, 0, "f\r\n", "a\r\nf\r\n\r\n", 2},
    {"an empty file changes nothing", "a\r\nb", 1, 1, "", "a\r\nb\r\n", 1},
    {"empty document: ends with an empty line", "", 0, 0, "f0\r\nf1", "f0\r\nf1\r\n\r\n", 2},
    {"document of one empty line", "\r\n", 0, 0, "x", "x\r\n\r\n", 1},
    {"document that begins with an empty line", "\r\nz", 1, 0, "\r\n", "\r\n\r\nz\r\n", 2},
    {"file with every line end and NULs", "d", 0, 1, "a\rb\n\0c\r\r\n"sv,
     "a\r\nb\r\n\r\nc\r\n\r\nd\r\n", 5},
    {"file of empty lines only", "d", 0, 0, "\r\n\n\r", "\r\n\r\n\r\nd\r\n", 3},
};

}  // namespace quillet::test
