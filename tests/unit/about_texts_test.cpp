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
    for (std::size_t i = 0; i < kAboutTextCount; ++i) {
        EXPECT_EQ(texts[i], AboutTextOf(joined, static_cast<AboutText>(i + 1))) << i;
    }
    EXPECT_EQ("http://" + AboutTextOf(joined, AboutText::BannerNote), AboutTextOf(joined, AboutText::LinkTarget));
    // A separator inside a text cannot shift the others; missing texts are empty.
    const std::string odd = JoinAboutTexts({"a\bb", "", "\b", "body", "", "target"});
    EXPECT_EQ("ab", AboutTextOf(odd, AboutText::Caption));
    EXPECT_EQ("body", AboutTextOf(odd, AboutText::Body));
    EXPECT_EQ("target", AboutTextOf(odd, AboutText::LinkTarget));
    EXPECT_EQ("", AboutTextOf("only\bthree\bfields", AboutText::Body));
}

TEST(AboutTexts, BodyLinesAroundTheVersionBlock) {
    for (const std::string& version : {std::string("FileVersion:\t1.0\nCompanyName:\tFerrowin Software"),
                                       std::string()}) {
        std::vector<std::string> lines;
        const std::string body = AboutBody(version);
        std::size_t start = 0;
        for (std::size_t end; (end = body.find("\r\n", start)) != std::string::npos; start = end + 2) {
            lines.push_back(body.substr(start, end - start));
        }
        lines.push_back(body.substr(start));
        ASSERT_EQ(8u, lines.size());
        EXPECT_EQ("'Quillet', By Ferrowin Software.", lines[0]);
        EXPECT_EQ(version, lines[2]);  // its own line feeds kept; empty, it leaves an empty line
        EXPECT_EQ("Programing:        the Quillet authors", lines[3]);
        EXPECT_NE(std::string::npos, lines[5].find("Ferrowin Software"));
        EXPECT_EQ(0u, lines[7].find("WARNING: "));
        EXPECT_EQ("", lines[1] + lines[4] + lines[6]);
    }
}

TEST(AboutLayout, BannerGradientAtSamplePoints) {
    for (const test::BannerSample& s : test::kBannerSamples) {
        EXPECT_EQ((Rgb{static_cast<std::uint8_t>(s.red), static_cast<std::uint8_t>(s.green),
                       static_cast<std::uint8_t>(s.blue)}),
                  BannerColour(s.x, s.y))
            << s.x << "," << s.y;
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
        {{-300, -400, 200, 300}, 426, 354, {0, -50}},  // clamped first, raised after
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
