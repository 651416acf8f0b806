// The text report of a list section: a bracketed heading, "Count=" with the number of items, and
// one line per item.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/string_list.h"

namespace rb {

// Appends "[heading]", "Count=<count>" and line(0) .. line(count - 1) to `list`.
void ReportList(std::string_view heading, int count, const std::function<std::string(int)>& line,
                StringList& list);

}  // namespace rb
