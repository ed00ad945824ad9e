// The date text that Insert Date types: day, month and year from a format.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// Day and month as two digits, then the year: 06,12,2026.
inline constexpr char kDateFormat[] = "%dd,%mm,%yyyy";

struct CalendarDate {
    int year;
    int month;  // 1 to 12
    int day;    // 1 to 31
};

// The date in the format: "%dd" is the day and "%mm" the month, each with a
// leading zero below 10; "%yyyy" is the year with all its digits; every other
// character is copied as it stands.
std::string FormatDate(std::string_view format, const CalendarDate& date);

}  // namespace quillet
