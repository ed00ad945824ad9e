#include "ui/link_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace quillet {
namespace {

TEST(LinkRules, OnlyWebAndMailAddressesAreOpened) {
    struct Case {
        const char* text;
        bool opened;
    };
    const Case cases[] = {
        {"http://example.org/", true},
        {"HTTPS://EXAMPLE.ORG", true},
        {"ftp://files.example.org/a.txt", true},
        {"MailTo:someone@example.org", true},
        {"www.example.org", true},
        {"WWW.Example.Org", true},
        {"file:///C:/Windows/System32/calc.exe", false},
        {"file://server/share/setup.exe", false},
        {"C:\\Windows\\System32\\calc.exe", false},
        {"\"C:\\Program Files\\x.exe\" /s", false},
        {"calc.exe", false},
        {"\\\\server\\share\\run.bat", false},
        {"news:comp.lang", false},
        {" http://example.org", false},  // not at the start
        {"http", false},
        {"www", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.opened, IsOpenableLink(c.text)) << c.text;
}

TEST(LinkRules, ABareWebAddressIsGivenItsScheme) {
    EXPECT_EQ("http://www.example.com", ShellTargetForLink("www.example.com"));
    EXPECT_EQ("http://WWW.example.com", ShellTargetForLink("WWW.example.com"));
    EXPECT_EQ("https://www.example.com", ShellTargetForLink("https://www.example.com"));
    EXPECT_EQ("mailto:a@example.org", ShellTargetForLink("mailto:a@example.org"));
}

TEST(LinkRules, TheRangeReadNeverExceedsTheBuffer) {
    struct Case {
        long start, end;
        long clampedStart, clampedEnd;
    };
    const Case cases[] = {
        {10, 20, 10, 20},
        {0, 511, 0, 511},
        {0, 512, 0, 511},
        {100, 5000, 100, 611},
        {7, -1, 7, 518},  // -1 asks for the rest of the text
        {20, 10, 20, 20},
        {-5, 10, 0, 0},
        {LONG_MAX - 10, LONG_MAX, LONG_MAX - 10, LONG_MAX},
        {LONG_MAX - 10, -1, LONG_MAX - 10, LONG_MAX},
    };
    for (const Case& c : cases) {
        const LinkRange r = ClampLinkRange(c.start, c.end);
        EXPECT_EQ(c.clampedStart, r.start) << c.start << ".." << c.end;
        EXPECT_EQ(c.clampedEnd, r.end) << c.start << ".." << c.end;
        EXPECT_LE(r.end - r.start, kMaxLinkLength);
        EXPECT_GE(r.end, r.start);
    }
}

}  // namespace
}  // namespace quillet
