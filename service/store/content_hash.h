// What makes two received calls the same: the hash of their operation, header and XML. A call
// posted again after a lost reply has the same hash and the same client identifier.
#pragma once

#include <string>

#include "service/store/records.h"

namespace rb::service {

// SHA-256 (32 bytes) over the fields, each preceded by its length, so that no two different
// calls give the same bytes to hash.
std::string ContentHash(const Inventory& inventory);

}  // namespace rb::service
