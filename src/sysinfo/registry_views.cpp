#include "sysinfo/registry_views.h"

#include "platform/platform.h"

namespace rb {

std::vector<platform::RegView> MachineSoftwareViews() {
    platform::ProcessesArea& processes = platform::Current().Processes();
    const auto wow64 = processes.IsWow64(processes.CurrentProcessId());
    if (wow64 && *wow64) return {platform::RegView::Native64, platform::RegView::Wow32};
    return {platform::RegView::Default};
}

}  // namespace rb
