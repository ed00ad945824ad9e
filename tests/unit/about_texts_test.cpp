#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../support/about_expected.h"
#include "about/about_layout.h"
#include "about/about_texts.h"

namespace quillet {
namespace {

TEST(AboutTexts, JoinedAndTakenApartAgain) {
    const std::array<std::string, kAboutTextCount> texts = AboutTexts("FileVersion:\t1.0\nProductName:\tQuillet");
    const std::string joined = JoinAboutTexts(texts);
    EXPECT_EQ(5, std::count(joined.begin(), joined.end(), '\b'));
    const AboutText order[] = {AboutText::Caption,  AboutText::Title,    AboutText::BannerNote,
                               AboutText::Body,     AboutText::LinkText, AboutText::LinkTarget};
    for (std::size_t i = 0; i < kAboutTextCount; ++i) EXPECT_EQ(texts[i], AboutTextOf(joined, order[i])) << i;
    EXPECT_EQ("About ", texts[0]);
    EXPECT_EQ("'Quillet'", texts[1]);
    EXPECT_EQ("Visit Ferrowin Software", texts[4]);
    EXPECT_EQ("http://" + texts[2], texts[5]);
}

TEST(AboutTexts, ASeparatorInsideATextCannotShiftTheOthers) {
    const std::string joined = JoinAboutTexts({"a\bb", "", "\b", "body", "", "target"});
    EXPECT_EQ("ab", AboutTextOf(joined, AboutText::Caption));
    EXPECT_EQ("", AboutTextOf(joined, AboutText::BannerNote));
    EXPECT_EQ("body", AboutTextOf(joined, AboutText::Body));
    EXPECT_EQ("", AboutTextOf(joined, AboutText::LinkText));
    EXPECT_EQ("target", AboutTextOf(joined, AboutText::LinkTarget));
    EXPECT_EQ("", AboutTextOf("only\bthree\bfields", AboutText::LinkTarget));
    EXPECT_EQ("fields", AboutTextOf("only\bthree\bfields", AboutText::BannerNote));
}

std::vector<std::string> SplitAtCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

TEST(AboutTexts, BodyLinesAroundTheVersionBlock) {
    const std::string block = "FileVersion:\t1.0\nCompanyName:\tFerrowin Software";
    for (const std::string& version : {block, std::string()}) {
        const std::vector<std::string> lines = SplitAtCrLf(AboutBody(version));
        ASSERT_EQ(8u, lines.size());
        EXPECT_EQ("'Quillet', By Ferrowin Software.", lines[0]);
        EXPECT_EQ("", lines[1]);
        EXPECT_EQ(version, lines[2]);  // its own line feeds kept; empty, it leaves an empty line
        EXPECT_EQ("Programing:        the Quillet authors", lines[3]);
        EXPECT_EQ("", lines[4]);
        EXPECT_NE(std::string::npos, lines[5].find("Quillet authors"));
        EXPECT_NE(std::string::npos, lines[5].find("Ferrowin Software"));
        EXPECT_EQ("", lines[6]);
        EXPECT_EQ(0u, lines[7].find("WARNING: "));
    }
}

TEST(AboutLayout, BannerGradientAtSamplePoints) {
    for (const test::BannerSample& s : test::kBannerSamples) {
        const Rgb c = BannerColour(s.x, s.y);
        EXPECT_EQ(s.red, c.red) << s.x << "," << s.y;
        EXPECT_EQ(s.green, c.green) << s.x << "," << s.y;
        EXPECT_EQ(s.blue, c.blue) << s.x << "," << s.y;
    }
}

TEST(AboutLayout, BannerGradientRisesAboveAndFallsBelow) {
    for (int x = 1; x < about_place::kBanner.width; ++x) {
        EXPECT_LE(BannerColour(x, 0).red - BannerColour(x - 1, 0).red, 1) << x;
        EXPECT_GE(BannerColour(x, 0).red, BannerColour(x - 1, 0).red) << x;
        EXPECT_LE(BannerColour(x, 69).red, BannerColour(x - 1, 69).red) << x;
        EXPECT_EQ(BannerColour(x, 0), BannerColour(x, 59));
        EXPECT_EQ(BannerColour(x, 60), BannerColour(x, 69));
    }
    EXPECT_EQ((Rgb{160, 160, 160}), SeparatorColour(0));
    EXPECT_EQ((Rgb{255, 255, 255}), SeparatorColour(1));
    EXPECT_EQ(400 - 123, BannerNoteLeft(123));
}

TEST(AboutLayout, CentredOverTheMainWindowKeptOnScreenThenRaised) {
    struct Case {
        AboutRect over;
        int width, height;
        AboutPoint place;
    };
    const Case cases[] = {
        {{100, 200, 800, 600}, 426, 354, {287, 323 - 50}},
        {{-300, -400, 200, 300}, 426, 354, {0, -50}},  // off the top left: clamped, then raised
        {{0, 0, 426, 354}, 426, 354, {0, -50}},
        {{10, 20, 101, 51}, 1, 1, {60, 45 - 50}},
    };
    for (const Case& c : cases) {
        const AboutPoint p = AboutWindowPosition(c.over, c.width, c.height);
        EXPECT_EQ(c.place.x, p.x) << c.over.x << "," << c.over.y;
        EXPECT_EQ(c.place.y, p.y) << c.over.x << "," << c.over.y;
    }
}

}  // namespace
}  // namespace quillet
