#include "document/path_rules.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(Title, CarriesThePathAfterThePrefix) {
    EXPECT_EQ(TitleForPath("Untitled.txt"), "Quillet - Untitled.txt");
    EXPECT_EQ(TitleForPath(""), "Quillet - ");
    EXPECT_EQ(TitleForPath("C:\\a b\\c.txt"), "Quillet - C:\\a b\\c.txt");
}

TEST(Title, PathRoundTripsEvenWhenItContainsThePrefix) {
    for (const char* path : {"Untitled.txt", "", "C:\\x\\a.txt", "C:\\Quillet - notes\\a.txt",
                             "Quillet - a.txt", "Quillet - Quillet - ", "relative name"}) {
        EXPECT_EQ(PathFromTitle(TitleForPath(path)), path);
    }
}

TEST(Title, WithoutThePrefixIsReturnedWhole) {
    EXPECT_EQ(PathFromTitle("Notepad"), "Notepad");
    EXPECT_EQ(PathFromTitle(""), "");
    EXPECT_EQ(PathFromTitle("Quillet -"), "Quillet -");
    EXPECT_EQ(PathFromTitle("quillet - a.txt"), "quillet - a.txt");
    EXPECT_EQ(PathFromTitle("x Quillet - a.txt"), "x Quillet - a.txt");
}

TEST(IsUntitled, WholeTextCaseSensitive) {
    EXPECT_TRUE(IsUntitled("Untitled.txt"));
    for (const char* path : {"untitled.txt", "Untitled.TXT", "Untitled.txt ", "C:\\Untitled.txt",
                             "", "Untitled"}) {
        EXPECT_FALSE(IsUntitled(path)) << path;
    }
}

TEST(ExtensionPart, LooksBackForTheLastDotBeforeAnySeparator) {
    struct Case {
        const char* path;
        const char* extension;
    } cases[] = {
        {"notes", ""},
        {"notes.md", "md"},
        {"notes.", ""},
        {"archive.tar.gz", "gz"},
        {"C:\\my.dir\\notes", ""},
        {"C:/my.dir/notes", ""},
        {"C:\\my.dir\\notes.txt", "txt"},
        {".profile", "profile"},
        {"", ""},
        {".", ""},
        {"dir\\", ""},
        {"C:\\a.b\"c", "b"},
        {"\"C:\\x\\a.txt\"", "txt"},
        {"a.\"txt", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtensionPart(c.path), c.extension) << c.path;
    }
}

TEST(WithDefaultExtension, AddsTxtOnlyWhenTheExtensionPartIsEmpty) {
    struct Case {
        const char* path;
        const char* result;
    } cases[] = {
        {"notes", "notes.txt"},
        {"notes.md", "notes.md"},
        {"notes.", "notes..txt"},
        {"C:\\my.dir\\notes", "C:\\my.dir\\notes.txt"},
        {"C:\\texts\\a.TXT", "C:\\texts\\a.TXT"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithDefaultExtension(c.path), c.result) << c.path;
    }
}

}  // namespace
}  // namespace quillet
