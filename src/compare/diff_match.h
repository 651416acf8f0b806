// Matching the items of two lists: each item's key and name taken from the key tables, and
// the pairing of the earlier list's items with the later one's.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "compare/diff_tables.h"
#include "core/collection.h"

namespace rb::compare::detail {

// One part of a key: a text, or the number of an ordinal property (an enumeration).
struct KeyPart {
    std::string_view text;
    int64_t number = 0;
};

// An item's key and name, as views into the item (or into KeyList::held).
struct ItemKey {
    KeyPart parts[2];
    std::string_view name;   // the item as a person names it
    std::string_view value;  // a string list's text beside the key (a version, a value)
};

bool SameKey(const ItemKey& a, const ItemKey& b);

struct KeyList {
    std::vector<ItemKey> items;
    std::vector<std::unique_ptr<std::string>> held;  // texts of properties read by methods
};

// The keys of a list's items. String lists are keyed by `form`; other items by their class's
// key row (by their position when their class has none).
KeyList KeysOf(const Collection& list, tables::TextForm form);

// For each item of `before`, the index of its partner in `after`, or -1. Items pair by key;
// among items sharing a key, those with the same name pair first, the rest in order. Runs of
// identical items at both ends pair without any look-up.
std::vector<int> PairItems(const std::vector<ItemKey>& before, const std::vector<ItemKey>& after);

// Whether both lists name the same items, in any order; their names joined by ", ".
bool SameNames(const KeyList& a, const KeyList& b);
std::string JoinedNames(const KeyList& keys);

// A program's display name split before its trailing version ("Foo 1.2": "Foo" and "1.2"):
// the last word when it starts with a digit, or with "v" and a digit, and holds only letters,
// digits and ".-_"; no version otherwise.
void SplitProgram(std::string_view text, std::string_view& name, std::string_view& version);

}  // namespace rb::compare::detail
