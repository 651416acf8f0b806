// Duration texts and time-zone transition dates.
#include "core/datetime.h"
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines_time.h"

namespace rb {
namespace {

struct TimeUnit {
    int64_t seconds;
    const char* one;
    const char* many;
};
// A year is taken as 365.5 days and a month as 31 days.
const TimeUnit kUnits[] = {
    {3157920000LL, " Centuria, ", " Centurias, "},
    {31579200LL, " Año, ", " Años, "},
    {2678400LL, " Mes, ", " Meses, "},
    {604800LL, " Semana, ", " Semanas, "},
    {86400LL, " Día, ", " Días, "},
    {3600LL, " Hora, ", " Horas, "},
    {60LL, " Minuto, ", " Minutos, "},
};
constexpr int kUnitCount = sizeof kUnits / sizeof kUnits[0];
enum { kCenturies, kYears, kMonths, kWeeks, kDays, kHours, kMinutes };

struct Split {
    int64_t count[kUnitCount];
    int64_t seconds;
};

Split SplitSeconds(int64_t total) {
    Split s{};
    for (int i = 0; i < kUnitCount; ++i) {
        s.count[i] = total / kUnits[i].seconds;
        total -= s.count[i] * kUnits[i].seconds;
    }
    s.seconds = total;
    return s;
}

std::string SecondsText(bool wholeSeconds, int64_t seconds) {
    std::string number = Format(wholeSeconds ? "%.0f" : "%.2f", static_cast<double>(seconds));
    // The framework writes fractions with the user's decimal separator.
    const char separator = platform::Current().System().Locale().decimalSeparator;
    for (char& c : number) {
        if (c == '.') c = separator;
    }
    return number + (seconds == 1 ? " Segundo." : " Segundos.");
}

std::string UnitsFrom(const Split& s, int first, bool wholeSeconds) {
    std::string out;
    for (int i = first; i < kUnitCount; ++i) {
        out += Format("%lld", static_cast<long long>(s.count[i]));
        out += s.count[i] == 1 ? kUnits[i].one : kUnits[i].many;
    }
    return out + SecondsText(wholeSeconds, s.seconds);
}

}  // namespace

// Long and clock: "yy.mm.dd hh:mm:ss" (weeks counted as days, centuries dropped). Long: every
// unit. Clock: "hh:mm:ss" of what is left below a day. Neither: from the first non-zero unit
// (every unit when there are centuries).
std::string FormatSeconds(bool wholeSeconds, bool longForm, bool clock, int64_t seconds) {
    const Split s = SplitSeconds(seconds);
    auto n = [&](int unit) { return static_cast<long long>(s.count[unit]); };
    const long long rest = s.seconds;
    if (longForm && clock) {
        return Format("%2.2lld.%2.2lld.%2.2lld %2.2lld:%2.2lld:%2.2lld", n(kYears), n(kMonths),
                      n(kDays) + 7 * n(kWeeks), n(kHours), n(kMinutes), rest);
    }
    if (clock) return Format("%2.2lld:%2.2lld:%2.2lld", n(kHours), n(kMinutes), rest);
    if (longForm || s.count[kCenturies] != 0) return UnitsFrom(s, kCenturies, wholeSeconds);
    int first = kYears;
    while (first < kUnitCount && s.count[first] == 0) ++first;
    return UnitsFrom(s, first, wholeSeconds);
}

double TransitionDate(int year, const platform::SystemTimeRecord& date) {
    if (date.month == 0) return 0;
    double time = 0;
    if (!TryEncodeTime(date.hour, date.minute, date.second, date.milliseconds, time)) return 0;
    double day = 0;
    if (date.year != 0) {
        return TryEncodeDate(date.year, date.month, date.day, day) ? day + time : 0;
    }
    // The n-th (1 to 4) or the last (5) given weekday of the month.
    if (date.day < 1 || date.day > 5 || date.dayOfWeek > 6) return 0;
    double first = 0;
    if (!TryEncodeDate(year, date.month, 1, first)) return 0;
    int dayOfMonth = 1 + (date.dayOfWeek - DayOfWeek(first) + 7) % 7;
    dayOfMonth += 7 * (date.day - 1);
    while (dayOfMonth > DaysInMonth(year, date.month)) dayOfMonth -= 7;
    return first + (dayOfMonth - 1) + time;
}

}  // namespace rb
