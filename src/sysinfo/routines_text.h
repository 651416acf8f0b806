// Locale-neutral numbers and small text helpers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/exception.h"
#include "core/string_list.h"

namespace rb {

// Numbers and dates as locale-neutral text ("." as decimal separator).
std::string FloatToNeutralText(double value);
// An integer with the thousands separator between groups of three digits ("0,##").
std::string GroupedNumber(int64_t value, char separator);
// Accepts "," as the separator when the text has no "."; raises EConvertError otherwise.
double NeutralTextToFloat(std::string_view text);
// The number as a date-time in the user's short date and long time formats.
std::string NeutralTextToDateTime(std::string_view text);

// Small text helpers.
std::string WideBufferToText(const std::vector<uint8_t>& buffer);
std::string ReplaceText(std::string_view text, std::string_view pattern,
                        std::string_view replacement);
std::string RemoveBlanks(std::string_view text);
void ListToReport(const StringList& list, std::string_view countKey, std::string_view itemKey,
                  StringList& report);
std::string MediaTypeText(uint32_t driveType);

}  // namespace rb
