// The difference of two inventories of one computer: what was added, removed or changed
// between an earlier and a later TMSystemInfo, section by section.
//
// One generic walk over the published-property tables does the work; what it needs to know
// about the model is data (diff_tables.cpp):
// - per collection item class, the properties that make an item's key (programs by name,
//   services by name, devices by class and hardware identifier, disks by letter, printers by
//   server and name, start-up entries by place and name, displays by adapter, processes by
//   file name, ...) and the one that names it for a person;
// - per string list, how its texts split into key and value (installed programs: name and
//   trailing version; environment and folders: "name=value"; others: the whole text);
// - the values that change on every run (free memory, up time, running processes, timings,
//   the error list, the battery, the current clock values, ...), left out unless asked for;
//   free space and the measured processor clock only when they move by more than a small
//   margin.
// Items are matched within a list by key; items sharing a key pair by name first, then in
// order. A matched pair's properties are compared one by one (nested objects too, as
// "TimeZone.Bias"); a list inside an item (a service's dependencies, a display's modes)
// compares as one value, its texts joined by ", ". Positions in a list never count: a moved
// item is the same item, a list in another order the same list.
//
// A section that either inventory did not gather (its page missing from ProcessList) is not
// compared and is named in `skippedSections`.
//
// All texts are code page 1252, as in the model.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sysinfo/msystem_info.h"

namespace rb::compare {

enum class ChangeKind : uint8_t { Added, Removed, Changed };

// "added", "removed", "changed": stable names for JSON and logs.
const char* ChangeKindName(ChangeKind kind);

struct Change {
    ChangeKind kind = ChangeKind::Changed;
    // The inventory's property of the section, as in the document: "Software", "Services",
    // "Memory" (SectionCaption in change_text.h gives its Spanish caption).
    std::string section;
    // The list within the section the item belongs to, as its property path ("Installed",
    // "Environment", "IPAddresses"); empty for the section's own items (a disk, a service)
    // and for a property of the section itself.
    std::string list;
    // The item as a person names it: for Added and Removed its whole name ("Foo 1.2", a
    // device's friendly name, "C:"); for Changed its name in the later inventory, of a text
    // list's item only the key (a program's name without its version, an environment
    // variable's name). Empty for a property of the section itself.
    std::string item;
    // Changed only: the property path within the item or section ("StartType",
    // "TimeZone.Bias", "Version"); empty when a list's text itself is the value (an
    // environment variable's value).
    std::string property;
    // Removed: the removed item's name; Changed: the earlier value. Empty otherwise.
    std::string oldValue;
    // Added: the added item's name; Changed: the later value. Empty otherwise.
    std::string newValue;
};

bool operator==(const Change& a, const Change& b);

struct DiffOptions {
    // Compare the values that change on every run too (and free space and the processor clock
    // to the last byte and megahertz).
    bool includeVolatile = false;
};

struct Difference {
    // In the inventory's section order; within a list, the earlier inventory's order (removed
    // and changed items) followed by the added items in the later one's order.
    std::vector<Change> changes;
    // Sections one of the two did not gather, by property name.
    std::vector<std::string> skippedSections;
};

// What changed from `before` to `after`.
Difference DiffInventories(const TMSystemInfo& before, const TMSystemInfo& after,
                           const DiffOptions& options = {});

}  // namespace rb::compare
