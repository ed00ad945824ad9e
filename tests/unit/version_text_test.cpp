#include "about/version_text.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace quillet {
namespace {

constexpr char kKey[] = "040904B0";

// A string table as the lookup sees it; every path asked for is noted.
VersionLookup TableLookup(std::map<std::string, std::string> entries, std::vector<std::string>* asked = nullptr) {
    return [entries = std::move(entries), asked](const std::string& subBlock) -> std::optional<std::string> {
        if (asked) asked->push_back(subBlock);
        for (const auto& [key, value] : entries) {
            if (subBlock == StringEntryPath(kKey, key)) return value;
        }
        return std::nullopt;
    };
}

VersionLookup FourEntries(std::vector<std::string>* asked = nullptr) {
    return TableLookup(
        {{"FileVersion", "1.2"}, {"FileDescription", "Desc"}, {"ProductName", "Prod"}, {"CompanyName", "Maker"}},
        asked);
}

TEST(VersionText, ChosenEntriesInTableOrder) {
    struct Case {
        unsigned mask;
        bool names;
        const char* text;
    };
    const Case cases[] = {
        {0x00A3, true, "FileVersion:\t1.2\nFileDescription:\tDesc\nProductName:\tProd\nCompanyName:\tMaker"},
        {0x00A3, false, "1.2\nDesc\nProd\nMaker"},
        {0x0000, true, ""},
        {0x0004, true, ""},                     // chosen but missing
        {0x0085, false, "1.2\nMaker"},          // a missing entry leaves no empty line
        {0x0084, true, "CompanyName:\tMaker"},  // nor a leading line feed
        {0x10A3, false, "1.2\nDesc\nProd\nMaker\nEnglish"},
        {0x1000, true, "Language:\tEnglish"},
        {0xE0A3, false, "1.2\nDesc\nProd\nMaker"},  // bits above the language are ignored
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text, AssembleVersionText(c.mask, c.names, kKey, FourEntries(), "English"))
            << std::hex << c.mask << (c.names ? " with names" : "");
    }
}

TEST(VersionText, TwelveEntriesInOrderEachLookedUpOnce) {
    const char* const order[] = {"FileVersion",     "FileDescription", "LegalCopyright", "InternalName",
                                 "OriginalFilename", "ProductName",    "ProductVersion", "CompanyName",
                                 "LegalTrademarks", "SpecialBuild",    "PrivateBuild",   "Comments"};
    std::map<std::string, std::string> all;
    std::string expected;
    for (const char* key : order) {
        all[key] = key;
        expected += (expected.empty() ? "" : "\n") + std::string(key);
    }
    std::vector<std::string> asked;
    EXPECT_EQ(expected, AssembleVersionText(0x0FFF, false, kKey, TableLookup(all, &asked), "unused"));
    ASSERT_EQ(12u, asked.size());
    EXPECT_EQ("\\\\StringFileInfo\\\\040904B0\\\\FileVersion", asked.front());
    // Without a translation no string entry is looked up at all.
    asked.clear();
    EXPECT_EQ("Language:\t", AssembleVersionText(0x10A3, true, "", FourEntries(&asked), ""));
    EXPECT_TRUE(asked.empty());
}

TEST(VersionText, TableKeyIsEightUppercaseHexDigits) {
    EXPECT_EQ("040904B0", StringTableKey(0x0409, 1200));
    EXPECT_EQ("0409FDE9", StringTableKey(0x0409, 65001));
    EXPECT_EQ("00000000", StringTableKey(0, 0));
    EXPECT_EQ("0C0AFFFF", StringTableKey(0x0c0a, 0xFFFF));
}

}  // namespace
}  // namespace quillet
