// What the service makes of a stored inventory for people: its text report, as the program's
// viewer saves "Todos los tópicos", and its package, as the program writes it.
#pragma once

#include <string>

#include "service/store/records.h"

namespace rb::service {

// The report of every section, code page 1252, CR LF after every line; for XML the program
// cannot read, one line that says so.
std::string ReportText(const std::string& xml);

// The package file's bytes: the header and the XML, compressed as the program compresses them.
std::string PackageBytes(const Inventory& inventory);

}  // namespace rb::service
