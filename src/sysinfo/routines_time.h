// Duration texts and time-zone transitions.
#pragma once

#include <cstdint>
#include <string>

#include "platform/system.h"

namespace rb {

// Duration text in Spanish (see the four forms in routines_time.cpp).
std::string FormatSeconds(bool wholeSeconds, bool longForm, bool clock, int64_t seconds);

// The date-time in `year` of a time-zone transition (a rule when its year is 0: the day-th,
// 5 = last, given weekday of the month); 0 when there is none (month 0) or the record is
// invalid.
double TransitionDate(int year, const platform::SystemTimeRecord& date);

}  // namespace rb
