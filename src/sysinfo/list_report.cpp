#include "sysinfo/list_report.h"

#include "core/text.h"

namespace rb {

void ReportList(std::string_view heading, int count, const std::function<std::string(int)>& line,
                StringList& list) {
    list.Add("[" + std::string(heading) + "]");
    list.Add(Format("Count=%d", count));
    for (int i = 0; i < count; ++i) list.Add(line(i));
}

}  // namespace rb
