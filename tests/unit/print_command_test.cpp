#include "document/print_command.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(PrintCommand, TheEditorOfTheGivenFolderWithThePathUnquoted) {
    EXPECT_EQ("\"C:\\windows\\system32\\notepad.exe\" /p C:\\My Texts\\a b.txt",
              PrintCommandLine(PrintProgramPath("C:\\windows\\system32"), "C:\\My Texts\\a b.txt"));
    EXPECT_EQ("C:\\notepad.exe", PrintProgramPath("C:\\"));
    EXPECT_EQ("/p a b.txt", PrintParameters("a b.txt"));
    // A folder given with its final backslash, and a path without a folder.
    EXPECT_EQ("\"D:\\sys\\notepad.exe\" /p notes.txt", PrintCommandLine(PrintProgramPath("D:\\sys\\"), "notes.txt"));
}

}  // namespace
}  // namespace quillet
