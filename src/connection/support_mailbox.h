// Kelto's support mailbox: where e-mail deliveries go and where a saved package should be sent.
#pragma once

#include <string>

namespace rb {

// RBINFO_SUPPORT_MAIL from the environment when set, else the address this build was
// configured with (the CMake cache variable of the same name).
std::string SupportMailbox();

}  // namespace rb
