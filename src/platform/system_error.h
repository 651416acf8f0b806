// The text of a failed system call, as the program tells it.
#pragma once

#include <cstdint>
#include <string>

namespace rb {

// "System Error.  Code: 5." and, on the next line, the system's own text for the code (through
// the platform's services area), without its trailing blanks.
std::string SystemErrorMessage(uint32_t code);

}  // namespace rb
