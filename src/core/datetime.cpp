#include "core/datetime.h"

#include <cmath>

#include "core/exception.h"
#include "core/text.h"

namespace rb {
namespace {

// Day number of 1899-12-30 counted from 0001-01-01 (day 1).
constexpr long kDelta = 693594;
constexpr double kMinValue = -693593.0;       // 0001-01-01
constexpr double kMaxValue = 2958466.0;       // 10000-01-01, excluded
constexpr int kMsPerDay = 24 * 60 * 60 * 1000;

long DaysBeforeYear(long year) {
    const long y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

void DecodeDayNumber(long days, int& year, int& month, int& day) {
    // `days` counts from 0001-01-01 = 0; walk down 400-, 100-, 4- and 1-year cycles.
    long y = 1;
    y += 400 * (days / 146097);
    days %= 146097;
    long centuries = days / 36524;
    if (centuries == 4) centuries = 3;
    y += 100 * centuries;
    days -= centuries * 36524;
    y += 4 * (days / 1461);
    days %= 1461;
    long years = days / 365;
    if (years == 4) years = 3;
    y += years;
    days -= years * 365;
    year = static_cast<int>(y);
    month = 1;
    while (days >= DaysInMonth(year, month)) days -= DaysInMonth(year, month++);
    day = static_cast<int>(days) + 1;
}

void AppendNumber(std::string& out, int value, int digits) {
    out += Format("%0*d", digits, value);
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, double& result) {
    if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return false;
    long days = DaysBeforeYear(year) + day;
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    result = static_cast<double>(days - kDelta);
    return true;
}

double EncodeDate(int year, int month, int day) {
    double result = 0;
    if (!TryEncodeDate(year, month, day, result)) {
        throw EConvertError("Invalid argument to date encode");
    }
    return result;
}

bool TryEncodeTime(int hour, int minute, int second, int milliseconds, double& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        milliseconds < 0 || milliseconds > 999) {
        return false;
    }
    result = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + milliseconds) / kMsPerDay;
    return true;
}

bool TryDecodeDateTime(double value, DateParts& parts) {
    if (!(value >= kMinValue && value < kMaxValue)) return false;
    // Negative values run back from 1899-12-30, the fraction still being the time of day.
    const double whole = std::trunc(value);
    long ms = std::lround(std::fabs(value - whole) * kMsPerDay);
    long days = static_cast<long>(whole);
    if (ms >= kMsPerDay) {  // rounding reached the next midnight
        ms -= kMsPerDay;
        days += value < 0 ? -1 : 1;
    }
    DecodeDayNumber(days + kDelta - 1, parts.year, parts.month, parts.day);
    if (parts.year > 9999) return false;
    parts.milliseconds = static_cast<int>(ms % 1000);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.minute = static_cast<int>(ms / 60000 % 60);
    parts.hour = static_cast<int>(ms / 3600000);
    return true;
}

int DayOfWeek(double value) {
    // Day 0 (1899-12-30) was a Saturday.
    const long days = static_cast<long>(std::trunc(value));
    return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

std::string FormatDateTime(std::string_view pattern, double value, const DateTimeTexts& texts) {
    DateParts p;
    if (!TryDecodeDateTime(value, p)) throw EConvertError("Invalid argument to date encode");
    std::string out;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        const int n = static_cast<int>(run);
        const int twelve = p.hour % 12 == 0 ? 12 : p.hour % 12;
        switch (c) {
            case 'd': AppendNumber(out, p.day, n >= 2 ? 2 : 1); break;
            case 'M': AppendNumber(out, p.month, n >= 2 ? 2 : 1); break;
            case 'y':
                if (n >= 3) AppendNumber(out, p.year, 4);
                else AppendNumber(out, p.year % 100, n);
                break;
            case 'H': AppendNumber(out, p.hour, n >= 2 ? 2 : 1); break;
            case 'h': AppendNumber(out, twelve, n >= 2 ? 2 : 1); break;
            case 'm': AppendNumber(out, p.minute, n >= 2 ? 2 : 1); break;
            case 's': AppendNumber(out, p.second, n >= 2 ? 2 : 1); break;
            case 't': {
                const std::string& half = p.hour < 12 ? texts.am : texts.pm;
                out += n >= 2 ? half : half.substr(0, 1);
                break;
            }
            case '/': out.append(run, texts.dateSeparator); break;
            case ':': out.append(run, texts.timeSeparator); break;
            case '\'':
            case '"': {
                const size_t close = pattern.find(c, i + 1);
                const size_t end = close == std::string_view::npos ? pattern.size() : close;
                out.append(pattern.substr(i + 1, end - i - 1));
                run = end == pattern.size() ? end - i : end - i + 1;
                break;
            }
            default: out.append(pattern.substr(i, run)); break;
        }
        i += run;
    }
    return out;
}

std::string DateTimeToText(double value, std::string_view shortDate, std::string_view longTime,
                           const DateTimeTexts& texts) {
    std::string out = FormatDateTime(shortDate, value, texts);
    DateParts p;
    TryDecodeDateTime(value, p);
    if (p.hour || p.minute || p.second || p.milliseconds) {
        out += ' ';
        out += FormatDateTime(longTime, value, texts);
    }
    return out;
}

}  // namespace rb
