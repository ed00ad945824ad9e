#include <gtest/gtest.h>

#include <string>

#include "app/settings_rules.h"
#include "options/font_rules.h"
#include "options/view_switch.h"

namespace quillet {
namespace {

TEST(ToggledSwitch, OnlyAStoredTrueTurnsTheSwitchOffEverythingElseTurnsItOn) {
    const SwitchStep off = ToggledSwitch("true");
    EXPECT_FALSE(off.on);
    EXPECT_STREQ(off.storedText, "false");
    for (const char* stored : {"false", "", "TRUE", "True", "1", " true", "true ", "yes"}) {
        const SwitchStep step = ToggledSwitch(stored);
        EXPECT_TRUE(step.on) << '"' << stored << '"';
        EXPECT_STREQ(step.storedText, "true") << '"' << stored << '"';
    }
}

TEST(ToggledSwitch, TwoTogglesFromAnyStoredTextComeBackToTheStateItMeant) {
    for (const char* stored : {"true", "false", "", "TRUE"}) {
        const SwitchStep first = ToggledSwitch(stored);
        const SwitchStep second = ToggledSwitch(first.storedText);
        EXPECT_EQ(second.on, IsOn(stored)) << '"' << stored << '"';
        EXPECT_EQ(IsOn(second.storedText), IsOn(stored)) << '"' << stored << '"';
    }
}

TEST(InitialFont, AFaceTooLongForTheRecordIsCutToItsFirst31Characters) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";  // 40
    struct Case {
        std::size_t storedLength;
        std::size_t keptLength;
    } cases[] = {{0, 0}, {5, 5}, {30, 30}, {31, 31}, {32, 31}, {40, 31}};
    for (const Case& c : cases) {
        const std::string stored = letters.substr(0, c.storedLength);
        const InitialFont initial = InitialFontFrom(stored, "10");
        EXPECT_EQ(initial.face, letters.substr(0, c.keptLength)) << c.storedLength;
        EXPECT_LE(initial.face.size(), kMaxFaceNameLength);
    }
}

TEST(InitialFont, SizeIsReadAsAWholeNumberAndNoDigitsMeanNoInitialSize) {
    struct Case {
        const char* stored;
        int32_t points;
    } cases[] = {{"10", 10}, {"  12pt", 12}, {"10.5", 10}, {"", 0}, {"big", 0}, {"-8", -8}};
    for (const Case& c : cases) {
        EXPECT_EQ(InitialFontFrom("Arial", c.stored).points, c.points) << '"' << c.stored << '"';
        EXPECT_EQ(InitialFontFrom("Arial", c.stored).face, "Arial");
    }
}

TEST(WholePoints, TenthsOfAPointAreDropped) {
    struct Case {
        int32_t tenths;
        int32_t points;
    } cases[] = {{120, 12}, {105, 10}, {109, 10}, {100, 10}, {99, 9}, {5, 0}, {0, 0}, {16380, 1638}};
    for (const Case& c : cases) EXPECT_EQ(WholePoints(c.tenths), c.points) << c.tenths;
}

}  // namespace
}  // namespace quillet
