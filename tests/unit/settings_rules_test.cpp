#include "program/settings_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quillet {
namespace {

TEST(DefaultSettings, RowsInWriteOrderWithTheirValues) {
    const char* expected[][3] = {
        {"Display", "WordWrap", "false"},    {"Display", "OnTop", "false"},
        {"Display", "Transparent", "false"}, {"Display", "XPos", "100"},
        {"Display", "YPos", "100"},          {"Display", "Width", "600"},
        {"Display", "Height", "450"},        {"PrimaryFont", "Face", "Arial"},
        {"PrimaryFont", "Size", "10"},       {"PrimaryFont", "Color", "0"},
        {"PrimaryFont", "Bold", "false"},    {"PrimaryFont", "Italic", "false"},
        {"PrimaryFont", "Underline", "false"}, {"LastAccessed", "Open", ""},
        {"LastAccessed", "Save", ""},        {"LastAccessed", "Insert", ""},
        {"LastAccessed", "AppendTo", ""},
    };
    ASSERT_EQ(kDefaultSettings.size(), std::size(expected));
    for (std::size_t i = 0; i < kDefaultSettings.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(kDefaultSettings[i].section, expected[i][0]);
        EXPECT_STREQ(kDefaultSettings[i].key, expected[i][1]);
        ASSERT_NE(kDefaultSettings[i].defaultValue, nullptr);
        EXPECT_STREQ(kDefaultSettings[i].defaultValue, expected[i][2]);
    }
}

TEST(DefaultSettings, IntegerDefaultsAreInFormatIntegerForm) {
    for (const SettingRow& row : kDefaultSettings) {
        const std::string value = row.defaultValue;
        if (!value.empty() && value[0] >= '0' && value[0] <= '9') {
            EXPECT_EQ(FormatInteger(ParseInteger(value)), value) << row.key;
        }
    }
}

TEST(ParseInteger, ValueForms) {
    struct Case {
        const char* text;
        int32_t expected;
    } cases[] = {
        {"", 0},
        {"0", 0},
        {"100", 100},
        {"  -20", -20},
        {"\t\t 7", 7},
        {"+42", 42},
        {"-0", 0},
        {"100abc", 100},
        {"12 34", 12},
        {"abc", 0},
        {"-", 0},
        {"+", 0},
        {"+-5", 0},
        {"- 5", 0},
        {"\n5", 0},  // only blanks and tabs are skipped
        {"007", 7},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MIN},
        {"4294967295", -1},
        {"4294967296", 0},
        {"-4294967297", -1},
        {"99999999999999999999", 1661992959},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseInteger, StopsAtEmbeddedNul) {
    EXPECT_EQ(ParseInteger(std::string_view("12\0" "3", 4)), 12);
}

TEST(FormatInteger, PlainDecimal) {
    EXPECT_EQ(FormatInteger(0), "0");
    EXPECT_EQ(FormatInteger(450), "450");
    EXPECT_EQ(FormatInteger(-20), "-20");
    EXPECT_EQ(FormatInteger(INT32_MAX), "2147483647");
    EXPECT_EQ(FormatInteger(INT32_MIN), "-2147483648");
}

TEST(FormatInteger, RoundTripsThroughParseInteger) {
    for (int64_t v = INT32_MIN; v <= INT32_MAX; v += int64_t{65537} * 131) {
        const int32_t value = static_cast<int32_t>(v);
        ASSERT_EQ(ParseInteger(FormatInteger(value)), value);
    }
}

TEST(BooleanSettings, OnlyExactTrueIsOn) {
    EXPECT_TRUE(IsOn("true"));
    for (const char* off : {"True", "TRUE", "1", "", "false", " true", "true ", "yes"}) {
        EXPECT_FALSE(IsOn(off)) << '"' << off << '"';
    }
    EXPECT_STREQ(BoolText(true), "true");
    EXPECT_STREQ(BoolText(false), "false");
    EXPECT_TRUE(IsOn(BoolText(true)));
    EXPECT_FALSE(IsOn(BoolText(false)));
}

TEST(FolderPart, Rules) {
    struct Case {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\Texts\\a.txt", "C:\\Texts\\"},
        {"C:\\Texts\\", "C:\\Texts\\"},
        {"a.txt", ""},
        {"", ""},
        {"dir/sub/file", "dir/sub/"},
        {"C:\\mixed/dir\\file", "C:\\mixed/dir\\"},
        {"\"C:\\quoted dir\\a.txt\"", "C:\\quoted dir\\"},
        {"\"a.txt\"", ""},
        {"\"", ""},
        {"C:\\a\\b.txt|D:\\c\\d.txt", "C:\\a\\"},
        {"name|C:\\x\\", ""},
        {"|C:\\x\\", ""},
        {"\"\"C:\\x\\y", "\"C:\\x\\"},  // only one leading quote is skipped
        {"\\", "\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    }
}

TEST(SettingsPathFor, BesideTheExecutable) {
    EXPECT_EQ(SettingsPathFor("C:\\Program Files\\Quillet\\quillet.exe"),
              "C:\\Program Files\\Quillet\\Quillet_Settings.ini");
    EXPECT_EQ(SettingsPathFor("quillet.exe"), "Quillet_Settings.ini");
}

}  // namespace
}  // namespace quillet
