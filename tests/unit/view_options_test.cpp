#include <gtest/gtest.h>

#include <string>

#include "options/font_rules.h"
#include "options/view_switch.h"

namespace quillet {
namespace {

TEST(ToggledSwitch, OnlyAStoredTrueTurnsTheSwitchOffAndEachStepStoresItsOwnState) {
    for (const char* stored : {"true", "false", "", "TRUE", "True", "1", " true", "true "}) {
        const SwitchStep step = ToggledSwitch(stored);
        EXPECT_EQ(step.on, std::string(stored) != "true") << '"' << stored << '"';
        EXPECT_STREQ(step.storedText, step.on ? "true" : "false");
        EXPECT_EQ(ToggledSwitch(step.storedText).on, !step.on) << "a second step comes back";
    }
}

TEST(InitialFont, TheFaceIsCutToFitTheRecordAndSizeWithoutDigitsIsNoSize) {
    const std::string letters(40, 'F');
    for (std::size_t length : {0u, 30u, 31u, 32u, 40u}) {
        const std::size_t kept = length < kMaxFaceNameLength ? length : kMaxFaceNameLength;
        EXPECT_EQ(InitialFontFrom(letters.substr(0, length), "10").face, letters.substr(0, kept)) << length;
    }
    const struct {
        const char* stored;
        int32_t points;
    } sizes[] = {{"10", 10}, {"  12pt", 12}, {"10.5", 10}, {"", 0}, {"big", 0}};
    for (const auto& size : sizes) EXPECT_EQ(InitialFontFrom("Arial", size.stored).points, size.points) << size.stored;
}

TEST(WholePoints, TenthsOfAPointAreDropped) {
    const int32_t cases[][2] = {{120, 12}, {105, 10}, {109, 10}, {99, 9}, {5, 0}, {16380, 1638}};
    for (const auto& c : cases) EXPECT_EQ(WholePoints(c[0]), c[1]) << c[0];
}

}  // namespace
}  // namespace quillet
