#include "connection/support_mailbox.h"

#include "platform/platform.h"

namespace rb {

std::string SupportMailbox() {
    const std::string address =
        platform::Current().System().EnvironmentVariable("RBINFO_SUPPORT_MAIL");
    return address.empty() ? RBINFO_SUPPORT_MAIL : address;
}

}  // namespace rb
