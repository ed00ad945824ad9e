#include "platform/link_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace quillet {
namespace {

TEST(LinkRules, OnlyWebAndMailAddressesAreOpened) {
    const char* const opened[] = {"http://example.org/", "HTTPS://EXAMPLE.ORG", "ftp://files.example.org/a.txt",
                                  "MailTo:someone@example.org", "www.example.org", "WWW.Example.Org"};
    const char* const refused[] = {"file:///C:/Windows/System32/calc.exe", "C:\\Windows\\System32\\calc.exe",
                                   "\"C:\\Program Files\\x.exe\" /s",       "calc.exe",
                                   "\\\\server\\share\\run.bat",           "news:comp.lang",
                                   " http://example.org",                   "http",
                                   "www",                                   ""};
    for (const char* text : opened) EXPECT_TRUE(IsOpenableLink(text)) << text;
    for (const char* text : refused) EXPECT_FALSE(IsOpenableLink(text)) << text;
    // A bare www. address is given its scheme, so the shell never takes it for a file.
    EXPECT_EQ("http://WWW.example.com", ShellTargetForLink("WWW.example.com"));
    EXPECT_EQ("https://www.example.com", ShellTargetForLink("https://www.example.com"));
    EXPECT_EQ("mailto:a@example.org", ShellTargetForLink("mailto:a@example.org"));
}

TEST(LinkRules, TheRangeReadNeverExceedsTheBuffer) {
    struct Case {
        long start, end, clampedStart, clampedEnd;
    };
    const Case cases[] = {
        {10, 20, 10, 20},     {0, 511, 0, 511}, {0, 512, 0, 511},
        {100, 5000, 100, 611}, {7, -1, 7, 518},  // -1 asks for the rest of the text
        {20, 10, 20, 20},     {-5, 10, 0, 0},   {LONG_MAX - 10, -1, LONG_MAX - 10, LONG_MAX},
    };
    for (const Case& c : cases) {
        const LinkRange r = ClampLinkRange(c.start, c.end);
        EXPECT_EQ(c.clampedStart, r.start) << c.start << ".." << c.end;
        EXPECT_EQ(c.clampedEnd, r.end) << c.start << ".." << c.end;
    }
}

}  // namespace
}  // namespace quillet
