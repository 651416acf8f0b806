// What the property-driven writer and reader of node_xml_rtti share.
#pragma once

#include <string>

#include "core/collection.h"

namespace rb::xml_detail {

// Re-raises the exception being handled as the same framework class with a new message.
[[noreturn]] void RethrowWithMessage(const std::string& message);

// Item elements are named after the item class without its first letter (TDisk: Disk).
std::string ItemElementName(const Collection& collection);

}  // namespace rb::xml_detail
