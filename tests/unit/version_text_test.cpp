#include "about/version_text.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace quillet {
namespace {

constexpr char kKey[] = "040904B0";

// A string table as the lookup sees it: entry key to value.
VersionLookup TableLookup(const std::map<std::string, std::string>& entries, std::vector<std::string>* asked) {
    return [entries, asked](const std::string& subBlock) -> std::optional<std::string> {
        if (asked) asked->push_back(subBlock);
        for (const auto& [key, value] : entries) {
            if (subBlock == StringEntryPath(kKey, key)) return value;
        }
        return std::nullopt;
    };
}

std::map<std::string, std::string> FourEntries() {
    return {{"FileVersion", "1.2.3.4"},
            {"FileDescription", "Desc"},
            {"ProductName", "Prod"},
            {"CompanyName", "Maker"}};
}

TEST(VersionText, ChosenEntriesInTableOrder) {
    struct Case {
        unsigned mask;
        bool names;
        const char* text;
    };
    const Case cases[] = {
        {0x00A3, true, "FileVersion:\t1.2.3.4\nFileDescription:\tDesc\nProductName:\tProd\nCompanyName:\tMaker"},
        {0x00A3, false, "1.2.3.4\nDesc\nProd\nMaker"},
        {0x0000, true, ""},
        {0x0004, true, ""},                   // chosen but missing
        {0x0085, false, "1.2.3.4\nMaker"},    // a missing entry leaves no empty line
        {0x0084, true, "CompanyName:\tMaker"},  // nor a leading line feed
        {0x0080 | 0x0001, false, "1.2.3.4\nMaker"},
        {0x10A3, false, "1.2.3.4\nDesc\nProd\nMaker\nEnglish"},
        {0x1000, true, "Language:\tEnglish"},
        {0xE0A3, false, "1.2.3.4\nDesc\nProd\nMaker"},  // bits above the language are ignored
        {0x2000, true, ""},
    };
    for (const Case& c : cases) {
        const VersionLookup lookup = TableLookup(FourEntries(), nullptr);
        EXPECT_EQ(c.text, AssembleVersionText(c.mask, c.names, kKey, lookup, "English"))
            << std::hex << c.mask << (c.names ? " with names" : "");
    }
}

TEST(VersionText, EveryEntryLooksUpItsOwnPathOnce) {
    const char* const order[] = {"FileVersion",     "FileDescription", "LegalCopyright", "InternalName",
                                 "OriginalFilename", "ProductName",    "ProductVersion", "CompanyName",
                                 "LegalTrademarks", "SpecialBuild",    "PrivateBuild",   "Comments"};
    std::map<std::string, std::string> all;
    std::string expected;
    for (const char* key : order) {
        all[key] = std::string("v-") + key;
        expected += (expected.empty() ? "" : "\n") + std::string(key) + ":\tv-" + key;
    }
    std::vector<std::string> asked;
    EXPECT_EQ(expected, AssembleVersionText(0x0FFF, true, kKey, TableLookup(all, &asked), "unused"));
    ASSERT_EQ(12u, asked.size());
    EXPECT_EQ("\\\\StringFileInfo\\\\040904B0\\\\FileVersion", asked.front());
    EXPECT_EQ("\\\\StringFileInfo\\\\040904B0\\\\Comments", asked.back());
}

TEST(VersionText, WithoutATranslationNoStringEntryIsLookedUp) {
    std::vector<std::string> asked;
    EXPECT_EQ("", AssembleVersionText(0x00A3, true, "", TableLookup(FourEntries(), &asked), ""));
    EXPECT_EQ("Language:\t", AssembleVersionText(0x10A3, true, "", TableLookup(FourEntries(), &asked), ""));
    EXPECT_TRUE(asked.empty());
}

TEST(VersionText, TableKeyIsEightUppercaseHexDigits) {
    struct Case {
        std::uint16_t language, codePage;
        const char* key;
    };
    const Case cases[] = {
        {0x0409, 1200, "040904B0"}, {0x0409, 65001, "0409FDE9"}, {0x0000, 0x0000, "00000000"},
        {0xFFFF, 0x8000, "FFFF8000"}, {0x0c0a, 0x04e4, "0C0A04E4"}, {0x0007, 0x0001, "00070001"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.key, StringTableKey(c.language, c.codePage));
}

}  // namespace
}  // namespace quillet
