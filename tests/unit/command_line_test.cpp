#include "app/status_text.h"
#include "program/command_line.h"

#include <gtest/gtest.h>

#include <climits>

namespace quillet {
namespace {

using Tokens = std::vector<std::string>;

TEST(TokenizeCommandLine, Splitting) {
    struct Case {
        const char* line;
        Tokens expected;
    } cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"q.exe", {"q.exe"}},
        {"q.exe a.txt", {"q.exe", "a.txt"}},
        {"q.exe   a.txt  b.txt  ", {"q.exe", "a.txt", "b.txt"}},
        {"q.exe\ta.txt\t\tb", {"q.exe", "a.txt", "b"}},
        {"\"C:\\Program Files\\q.exe\" \"C:\\my docs\\a b.txt\"",
         {"C:\\Program Files\\q.exe", "C:\\my docs\\a b.txt"}},
        {"q.exe C:\\my docs\\a.txt", {"q.exe", "C:\\my", "docs\\a.txt"}},
        {"q.exe \"unterminated arg", {"q.exe", "unterminated arg"}},
        {"q.exe \"\" b", {"q.exe", "", "b"}},
        {"q.exe \"a b\"c", {"q.exe", "a b", "c"}},
        {"q.exe ab\"c d\"", {"q.exe", "ab\"c", "d\""}},
        {"q.exe \"", {"q.exe", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TokenizeCommandLine(c.line), c.expected) << c.line;
    }
}

TEST(FirstArgument, SkipsTheProgramName) {
    EXPECT_FALSE(FirstArgument("").has_value());
    EXPECT_FALSE(FirstArgument("\"C:\\q q\\q.exe\"  ").has_value());
    EXPECT_EQ(FirstArgument("q.exe notes.txt other.txt"), "notes.txt");
    EXPECT_EQ(FirstArgument("\"C:\\q q\\q.exe\" \"C:\\a b\\c.txt\""), "C:\\a b\\c.txt");
}

TEST(StatusText, Format) {
    EXPECT_EQ(StatusText(0, 0, 1), "Char 1 Line 1 of 1 lines");
    EXPECT_EQ(StatusText(7, 2, 5), "Char 8 Line 3 of 5 lines");
    EXPECT_EQ(StatusText(LONG_MAX, 0, LONG_MAX),
              "Char " + std::to_string(static_cast<unsigned long long>(LONG_MAX) + 1) +
                  " Line 1 of " + std::to_string(LONG_MAX) + " lines");
}

}  // namespace
}  // namespace quillet
