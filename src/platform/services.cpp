#include "platform/services.h"

namespace rb::platform {

ServiceList ReadServicePages(const std::function<ServicePage(uint32_t& resume)>& next) {
    ServiceList list;
    uint32_t resume = 0;
    for (;;) {
        const uint32_t before = resume;
        ServicePage page = next(resume);
        const bool stalled = page.entries.empty() && resume == before;
        for (ServiceEntry& entry : page.entries) list.entries.push_back(std::move(entry));
        if (page.error != kMoreServices || stalled) {
            list.error = page.error;
            return list;
        }
    }
}

}  // namespace rb::platform
