// Date-times as the framework keeps them: a double counting days since 1899-12-30, the
// fraction being the time of day. Calendar arithmetic (proleptic Gregorian) and formatting.
#pragma once

#include <string>
#include <string_view>

namespace rb {

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12

// Whole days of a valid date (1..9999); false when the date does not exist.
bool TryEncodeDate(int year, int month, int day, double& result);
// Raises EConvertError "Invalid argument to date encode" for a date that does not exist.
double EncodeDate(int year, int month, int day);
// Fraction of a day; false when a field is out of range (hour 0..23, minute and second 0..59,
// milliseconds 0..999).
bool TryEncodeTime(int hour, int minute, int second, int milliseconds, double& result);

struct DateParts {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, milliseconds = 0;
};
// False when the value lies outside the years 1..9999.
bool TryDecodeDateTime(double value, DateParts& parts);

// 0 Sunday .. 6 Saturday, as Windows numbers the days of the week.
int DayOfWeek(double value);

// The separators and day-half texts a pattern refers to.
struct DateTimeTexts {
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string am = "AM";
    std::string pm = "PM";
};

// Pattern letters as in Windows: d dd (day), M MM (month), y yy (two-digit year), yyyy,
// H HH (24-hour), h hh (12-hour), m mm, s ss, t tt (day-half text). "/" and ":" stand for the
// separators; text in single or double quotes is copied; any other character is copied.
// Names of days and months are not part of the locale data kept here, so runs of three or more
// d or M letters give the two-digit number. Raises EConvertError when the value is no date.
std::string FormatDateTime(std::string_view pattern, double value, const DateTimeTexts& texts);

// The framework's date-time text: the short date, then a blank and the long time unless the
// value is exactly midnight.
std::string DateTimeToText(double value, std::string_view shortDate, std::string_view longTime,
                           const DateTimeTexts& texts);

}  // namespace rb
