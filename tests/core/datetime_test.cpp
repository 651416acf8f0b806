#include <gtest/gtest.h>

#include "core/datetime.h"
#include "core/exception.h"

namespace {

TEST(DateTime, KnownDayNumbersAndWeekdays) {
    EXPECT_EQ(rb::EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(rb::EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(rb::EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(rb::EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(rb::EncodeDate(9999, 12, 31), 2958465);
    EXPECT_EQ(rb::DayOfWeek(rb::EncodeDate(2000, 1, 1)), 6);   // Saturday
    EXPECT_EQ(rb::DayOfWeek(rb::EncodeDate(1899, 12, 29)), 5);  // Friday, before day 0
    EXPECT_EQ(rb::DayOfWeek(rb::EncodeDate(1601, 1, 1)), 1);    // Monday
}

TEST(DateTime, EveryDayDecodesToWhatEncodedIt) {
    for (int year : {1, 4, 100, 400, 1600, 1899, 1900, 2000, 2003, 2004, 2100, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= rb::DaysInMonth(year, month); ++day) {
                rb::DateParts p;
                ASSERT_TRUE(rb::TryDecodeDateTime(rb::EncodeDate(year, month, day), p));
                ASSERT_EQ(p.year * 10000 + p.month * 100 + p.day, year * 10000 + month * 100 + day);
            }
        }
    }
}

TEST(DateTime, InvalidDatesAndTimes) {
    EXPECT_THROW(rb::EncodeDate(2003, 2, 29), rb::EConvertError);
    EXPECT_THROW(rb::EncodeDate(1900, 2, 29), rb::EConvertError);  // not a leap year
    EXPECT_NO_THROW(rb::EncodeDate(2000, 2, 29));
    EXPECT_THROW(rb::EncodeDate(2004, 13, 1), rb::EConvertError);
    EXPECT_THROW(rb::EncodeDate(0, 1, 1), rb::EConvertError);
    double t = 0;
    EXPECT_FALSE(rb::TryEncodeTime(24, 0, 0, 0, t));
    EXPECT_FALSE(rb::TryEncodeTime(0, 0, 60, 0, t));
    rb::DateParts p;
    EXPECT_FALSE(rb::TryDecodeDateTime(3e6, p));
}

TEST(DateTime, PatternsOfWindowsLetters) {
    const rb::DateTimeTexts texts{'.', '-', "a.m.", "p.m."};
    const double morning = rb::EncodeDate(2004, 3, 7) + (0 * 3600 + 5 * 60 + 9) / 86400.0;
    EXPECT_EQ(rb::FormatDateTime("d/M/yy", morning, texts), "7.3.04");
    EXPECT_EQ(rb::FormatDateTime("dd/MM/yyyy HH:mm:ss", morning, texts), "07.03.2004 00-05-09");
    EXPECT_EQ(rb::FormatDateTime("h:m:s t tt", morning, texts), "12-5-9 a a.m.");
    EXPECT_EQ(rb::FormatDateTime("yyyy'y/'MM\"d\"", morning, texts), "2004y/03d");
    // Before day 0 the fraction still counts forward from midnight.
    EXPECT_EQ(rb::FormatDateTime("yyyy-MM-dd HH:mm", -1.25, texts), "1899-12-29 06-00");
    EXPECT_EQ(rb::DateTimeToText(rb::EncodeDate(2004, 3, 7), "dd/MM/yyyy", "HH:mm", texts),
              "07.03.2004");
}

}  // namespace
