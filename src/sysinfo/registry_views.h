// The registry views a section reads HKEY_LOCAL_MACHINE\SOFTWARE in. A 32-bit program on 64-bit
// Windows sees only the 32-bit half there, so where it runs under WOW64 both halves are read:
// the 64-bit one first, then the 32-bit one. Everywhere else there is one view.
#pragma once

#include <vector>

#include "platform/registry.h"

namespace rb {

std::vector<platform::RegView> MachineSoftwareViews();

}  // namespace rb
