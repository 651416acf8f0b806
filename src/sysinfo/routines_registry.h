// Registry routines: device classes and file-type registration.
#pragma once

#include <string>

#include "core/exception.h"
#include "core/string_list.h"

namespace rb {

// The drivers of the first device class named `className` under `classKey` (HKLM): the texts of
// their `valueName` values, without duplicates; `key` gets the class's subkey name.
void GetClassDevices(const std::string& classKey, const std::string& className,
                     const std::string& valueName, StringList& list, std::string& key);

// Registry writes that the system refused.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// Associates ".<extension>" with `file` (the program's full path) under HKEY_CLASSES_ROOT.
// Raises ERegistryException when a key cannot be created or a value written.
void RegisterFileType(const std::string& extension, const std::string& file,
                      const std::string& description, const std::string& openParams = "",
                      const std::string& typeName = "", int iconIndex = 0);

}  // namespace rb
