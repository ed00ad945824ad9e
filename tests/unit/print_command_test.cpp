#include "document/print_command.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(PrintCommand, TheEditorFromTheGivenFolderWithThePathUnquoted) {
    const struct {
        const char* folder;
        const char* path;
        const char* commandLine;
    } cases[] = {
        {"C:\\windows\\system32", "C:\\Texts\\a.txt", "\"C:\\windows\\system32\\notepad.exe\" /p C:\\Texts\\a.txt"},
        {"C:\\", "C:\\My Texts\\two words.txt", "\"C:\\notepad.exe\" /p C:\\My Texts\\two words.txt"},
        {"D:\\sys\\", "notes.txt", "\"D:\\sys\\notepad.exe\" /p notes.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.commandLine, PrintCommandLine(PrintProgramPath(c.folder), c.path));
        EXPECT_EQ("/p " + std::string(c.path), PrintParameters(c.path));
    }
}

}  // namespace
}  // namespace quillet
