#include "document/file_dialog_rules.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using namespace std::string_literals;

TEST(FilterList, PipesBecomeNulsAndTheListEndsWithTwo) {
    EXPECT_EQ(FilterList("Text files (*.txt)|*.txt|All files (*.*)|*.*"),
              "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(FilterList("Text (*.txt)|*.txt;*.txt"), "Text (*.txt)\0*.txt;*.txt\0\0"s);
    EXPECT_EQ(FilterList(""), "\0\0"s);
}

TEST(SplitDialogDefault, FolderAndName) {
    struct Case {
        const char* in;
        const char* folder;
        const char* name;
    } cases[] = {
        {"", "", ""},
        {"C:\\Texts\\", "C:\\Texts", ""},
        {"C:\\Texts\\a.txt", "C:\\Texts", "a.txt"},
        {"C:\\", "C:", ""},
        {"a.txt", "", "a.txt"},
        {"\\a.txt", "", ""},  // the lone leading backslash stays in the name, which is then invalid
        {"\\dir\\a.txt", "\\dir", "a.txt"},
        {"\\\\server\\share\\", "\\\\server\\share", ""},
        {"C:/Texts/a.txt", "", ""},  // only backslashes split; the slash makes the name invalid
        {"C:\\Texts\\a b.txt", "C:\\Texts", "a b.txt"},
        {"C:\\Texts\\\xE9t\xE9.txt", "C:\\Texts", "\xE9t\xE9.txt"},
    };
    for (const Case& c : cases) {
        const DialogStart s = SplitDialogDefault(c.in);
        EXPECT_EQ(s.folder, c.folder) << c.in;
        EXPECT_EQ(s.fileName, c.name) << c.in;
    }
}

TEST(SplitDialogDefault, InvalidCharactersEmptyTheName) {
    for (char bad : "\"/:*?<>|\x01\x1f\t") {
        if (bad == '\0') {
            continue;
        }
        const std::string name = "a"s + bad + "b.txt";
        const DialogStart s = SplitDialogDefault("C:\\dir\\" + name);
        EXPECT_EQ(s.folder, "C:\\dir");
        EXPECT_EQ(s.fileName, "") << static_cast<int>(bad);
    }
    EXPECT_EQ(SplitDialogDefault("C:\\dir\\a\0b"s).fileName, "");
    EXPECT_EQ(SplitDialogDefault("a:b").fileName, "");
}

TEST(SplitDialogDefault, NameMustFitTheDialogBuffer) {
    const std::string fits(kDialogPathCapacity - 1, 'n');
    const std::string tooLong(kDialogPathCapacity, 'n');
    EXPECT_EQ(SplitDialogDefault("C:\\d\\" + fits).fileName, fits);
    EXPECT_EQ(SplitDialogDefault("C:\\d\\" + tooLong).fileName, "");
    EXPECT_EQ(SplitDialogDefault("C:\\d\\" + tooLong).folder, "C:\\d");
    EXPECT_EQ(SplitDialogDefault(tooLong).fileName, "");
}

}  // namespace
}  // namespace quillet
