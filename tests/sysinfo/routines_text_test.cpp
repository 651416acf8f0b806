// Locale-neutral numbers, date and duration texts, transition dates and the text helpers.
#include <gtest/gtest.h>

#include "core/datetime.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/routines.h"

namespace {

using rb::platform::ScopedPlatform;
using rb::platform::SimPlatform;

TEST(FloatToNeutralText, GeneralFormatWithPoint) {
    const std::pair<double, const char*> rows[] = {
        {1.5, "1.5"},
        {100, "100"},
        {0, "0"},
        {-0.0, "0"},
        {-2.25, "-2.25"},
        {0.1 + 0.2, "0.3"},  // 15 digits hide the binary noise
        {1.0 / 3, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-1.5e-7, "-1.5E-7"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {38000.75, "38000.75"},
    };
    for (const auto& [value, text] : rows) EXPECT_EQ(rb::FloatToNeutralText(value), text) << text;
}

TEST(NeutralTextToFloat, ReadsPointOrCommaAndRoundTrips) {
    EXPECT_DOUBLE_EQ(rb::NeutralTextToFloat("3,5"), 3.5);
    EXPECT_DOUBLE_EQ(rb::NeutralTextToFloat(" -1E3 "), -1000);
    EXPECT_DOUBLE_EQ(rb::NeutralTextToFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(rb::NeutralTextToFloat("+7."), 7);
    for (double v : {38000.75, 1.5e-7, 1e20, -2.25, 12345.678, 0.1 + 0.2}) {
        const double back = rb::NeutralTextToFloat(rb::FloatToNeutralText(v));
        EXPECT_NEAR(back, v, std::abs(v) * 1e-14) << v;
    }
}

TEST(NeutralTextToFloat, RejectsWhatIsNoNumber) {
    // A comma beside a point is a thousands separator, which neutral text never has.
    for (const char* bad : {"", " ", "abc", "1,234.5", "1,2,3", "1e", "-", "1.5x", "1 5"}) {
        try {
            rb::NeutralTextToFloat(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const rb::EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid floating point value");
        }
    }
}

TEST(NeutralTextToDateTime, UsesTheUserFormatsAndDropsMidnight) {
    SimPlatform sim;  // dd/MM/yyyy HH:mm:ss
    ScopedPlatform scope(sim);
    const double when = rb::EncodeDate(2004, 3, 1) + (13 * 3600 + 5 * 60 + 9) / 86400.0;
    EXPECT_EQ(rb::NeutralTextToDateTime(rb::FloatToNeutralText(when)), "01/03/2004 13:05:09");
    EXPECT_EQ(rb::NeutralTextToDateTime("0"), "30/12/1899");
    EXPECT_EQ(rb::NeutralTextToDateTime("3,5"), "02/01/1900 12:00:00");

    sim.system.locale.shortDateFormat = "M/d/yyyy";
    sim.system.locale.longTimeFormat = "h:mm:ss tt";
    sim.system.locale.dateSeparator = '-';
    sim.system.locale.timeSeparator = '.';
    EXPECT_EQ(rb::NeutralTextToDateTime(rb::FloatToNeutralText(when)), "3-1-2004 1.05.09 PM");
    EXPECT_THROW(rb::NeutralTextToDateTime("ayer"), rb::EConvertError);
}

struct SecondsRow {
    bool whole, longForm, clock;
    int64_t seconds;
    const char* text;
};

constexpr int64_t kMinute = 60, kHour = 3600, kDay = 86400, kWeek = 604800;
constexpr int64_t kMonth = 2678400, kYear = 31579200, kCentury = 3157920000LL;

TEST(FormatSeconds, AllFourForms) {
    const SecondsRow rows[] = {
        {true, false, false, 3725, "1 Hora, 2 Minutos, 5 Segundos."},
        {true, false, false, 60, "1 Minuto, 0 Segundos."},
        {true, false, false, 0, "0 Segundos."},
        {true, false, false, 1, "1 Segundo."},
        {true, false, false, kHour, "1 Hora, 0 Minutos, 0 Segundos."},
        {true, false, false, kDay + kHour + kMinute + 1, "1 Día, 1 Hora, 1 Minuto, 1 Segundo."},
        {true, false, false, kWeek + kDay, "1 Semana, 1 Día, 0 Horas, 0 Minutos, 0 Segundos."},
        {true, false, false, kYear + 2 * kMonth,
         "1 Año, 2 Meses, 0 Semanas, 0 Días, 0 Horas, 0 Minutos, 0 Segundos."},
        {true, false, false, kCentury + 5,
         "1 Centuria, 0 Años, 0 Meses, 0 Semanas, 0 Días, 0 Horas, 0 Minutos, 5 Segundos."},
        {true, true, false, 3725,
         "0 Centurias, 0 Años, 0 Meses, 0 Semanas, 0 Días, 1 Hora, 2 Minutos, 5 Segundos."},
        {false, false, false, 3725, "1 Hora, 2 Minutos, 5.00 Segundos."},
        {true, false, true, kDay + kHour + kMinute + 1, "01:01:01"},  // days are not shown
        {true, true, true, kYear + 2 * kMonth + 2 * kWeek + 3 * kDay + 4 * kHour + 5 * kMinute + 6,
         "01.02.17 04:05:06"},
    };
    SimPlatform sim;
    ScopedPlatform scope(sim);
    for (const SecondsRow& r : rows) {
        EXPECT_EQ(rb::FormatSeconds(r.whole, r.longForm, r.clock, r.seconds), r.text) << r.seconds;
    }
    sim.system.locale.decimalSeparator = ',';
    EXPECT_EQ(rb::FormatSeconds(false, false, false, 65), "1 Minuto, 5,00 Segundos.");
}

double At(int year, int month, int day, int hour, int minute) {
    return rb::EncodeDate(year, month, day) + (hour * 60 + minute) / 1440.0;
}

rb::platform::SystemTimeRecord Rule(uint16_t year, uint16_t month, uint16_t dayOfWeek, uint16_t day,
                    uint16_t hour) {
    return {year, month, dayOfWeek, day, hour, 0, 0, 0};
}

TEST(TransitionDate, AbsoluteAndWeekdayRules) {
    enum : uint16_t { Sun = 0, Fri = 5, Sat = 6 };
    const std::pair<rb::platform::SystemTimeRecord, double> rows[] = {
        {Rule(2004, 0, Sun, 5, 2), 0},                        // month 0: no transition
        {{2004, 10, 0, 31, 3, 30, 0, 0}, At(2004, 10, 31, 3, 30)},  // absolute date
        {{1999, 4, 0, 31, 3, 0, 0, 0}, 0},                    // absolute date that does not exist
        {Rule(0, 4, Sun, 1, 2), At(2004, 4, 4, 2, 0)},        // first Sunday
        {Rule(0, 10, Sun, 4, 3), At(2004, 10, 24, 3, 0)},     // fourth Sunday
        {Rule(0, 10, Sun, 5, 3), At(2004, 10, 31, 3, 0)},     // last, the 31st of a 31-day month
        {Rule(0, 3, Sun, 5, 2), At(2004, 3, 28, 2, 0)},       // last, four in the month
        {Rule(0, 4, Sat, 5, 2), At(2004, 4, 24, 2, 0)},       // last in a 30-day month
        {Rule(0, 4, Fri, 5, 2), At(2004, 4, 30, 2, 0)},
        {Rule(0, 2, Sun, 5, 2), At(2004, 2, 29, 2, 0)},       // leap February
        {Rule(0, 2, Sun, 0, 2), 0},                           // no such week
        {Rule(0, 2, Sun, 6, 2), 0},
    };
    for (const auto& [date, expected] : rows) {
        EXPECT_DOUBLE_EQ(rb::TransitionDate(2004, date), expected)
            << date.year << "-" << date.month << " weekday " << date.dayOfWeek << " n " << date.day;
    }
    EXPECT_DOUBLE_EQ(rb::TransitionDate(2003, Rule(0, 2, Sat, 5, 0)), At(2003, 2, 22, 0, 0));
    EXPECT_DOUBLE_EQ(rb::TransitionDate(2007, Rule(0, 3, Sun, 2, 2)), At(2007, 3, 11, 2, 0));
}

TEST(TextHelpers, WideBuffersBlanksReplacementsReportsAndMediaTypes) {
    using Bytes = std::vector<uint8_t>;
    EXPECT_EQ(rb::WideBufferToText(Bytes{'R', 0, 'a', 0, 'd', 0, 0, 0, 'x', 0}), "Rad");
    EXPECT_EQ(rb::WideBufferToText(Bytes{'A', 0, 'B', 0}), "AB");
    EXPECT_EQ(rb::WideBufferToText(Bytes{'A', 0, 0, 0, 'B', 0, 0, 0}), "A");  // multi-string
    EXPECT_EQ(rb::WideBufferToText(Bytes{}), "");

    EXPECT_EQ(rb::ReplaceText("PCI bus, pci slot", "Pci", "ISA"), "ISA bus, ISA slot");
    EXPECT_EQ(rb::RemoveBlanks("  c:\\mis programas\\a.exe \r\n /x\r\n"), "c:\\misprogramas\\a.exe/x");
    EXPECT_EQ(rb::RemoveBlanks("a\rb\nc"), "a\rb\nc");  // only whole CR LF pairs go

    rb::StringList report;
    rb::ListToReport(rb::StringList{"640x480", "800x600"}, "Count", "Mode", report);
    rb::ListToReport(rb::StringList{}, "IPCount", "IPAddress", report);
    EXPECT_EQ(report.Lines(), (std::vector<std::string>{"Count=2", "Mode1=640x480",
                                                        "Mode2=800x600", "IPCount=0"}));

    const char* const media[] = {"Desconocido", "Inexistente", "removible", "Fijo",
                                 "Remoto",      "CDROM",       "Memoria",   ""};
    for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(rb::MediaTypeText(i), media[i]);
    EXPECT_EQ(rb::MediaTypeText(0x83), "Fijo");  // only the low seven bits count
    EXPECT_EQ(rb::MediaTypeText(200), "");
}

}  // namespace
