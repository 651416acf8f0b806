#include "sysinfo/list_report.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Lines(const rb::StringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
}

TEST(ListReport, HeadingCountAndOneLinePerItemAfterWhatTheListHeld) {
    const struct {
        int count;
        std::vector<std::string> expected;
    } rows[] = {
        {0, {"antes", "[Processes]", "Count=0"}},
        {2, {"antes", "[Processes]", "Count=2", "0=item0", "1=item1"}},
    };
    for (const auto& row : rows) {
        rb::StringList list;
        list.Add("antes");
        std::vector<int> asked;
        rb::ReportList("Processes", row.count, [&](int i) {
            asked.push_back(i);
            return std::to_string(i) + "=item" + std::to_string(i);
        }, list);
        EXPECT_EQ(Lines(list), row.expected);
        EXPECT_EQ(asked.size(), static_cast<size_t>(row.count));  // each item once, in order
    }
}

}  // namespace
