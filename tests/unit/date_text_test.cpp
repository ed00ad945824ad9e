#include "editing/date_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

TEST(FormatDate, ReplacesOnlyTheThreeTokens) {
    const struct {
        const char* format;
        CalendarDate date;
        const char* text;
    } cases[] = {
        {kDateFormat, {2027, 3, 1}, "01,03,2027"},
        {kDateFormat, {2026, 12, 6}, "06,12,2026"},
        {kDateFormat, {1999, 10, 31}, "31,10,1999"},
        {kDateFormat, {30827, 12, 31}, "31,12,30827"},  // the system's last year: all its digits
        {"", {2027, 3, 1}, ""},
        {"%yyyy-%mm-%dd", {2027, 3, 1}, "2027-03-01"},
        {"%d %m %y %yy %yyy %", {2027, 3, 1}, "%d %m %y %yy %yyy %"},
        {"%DD,%MM,%YYYY dd mm yyyy", {2027, 3, 1}, "%DD,%MM,%YYYY dd mm yyyy"},
        {"%%dd %ddd%mmm %yyyyy", {2027, 3, 1}, "%01 01d03m 2027y"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDate(c.format, c.date), c.text) << c.format;
}

TEST(FormatDate, EveryDayOfAFourDigitYearReadsBackInTenCharacters) {
    for (int year : {1601, 2028, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                const std::string text = FormatDate(kDateFormat, {year, month, day});
                ASSERT_EQ(text.size(), 10u) << text;
                ASSERT_EQ(text.substr(2, 1) + text.substr(5, 1), ",,") << text;
                EXPECT_EQ(std::stoi(text.substr(0, 2)), day);
                EXPECT_EQ(std::stoi(text.substr(3, 2)), month);
                EXPECT_EQ(std::stoi(text.substr(6)), year);
            }
        }
    }
}

}  // namespace
}  // namespace quillet
