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

// An item's key and name, as views into the item (or into texts its ListKeys holds).
struct ItemKey {
    KeyPart parts[2];
    std::string_view name;   // the item as a person names it
    std::string_view value;  // a string list's text beside the key (a version, a value)
};

bool SameKey(const ItemKey& a, const ItemKey& b);

// The keys of one list's items, each worked out when asked for: string lists are keyed by
// `form`, other items by their class's key row (by their position when their class has none).
class ListKeys {
public:
    ListKeys(const Collection& list, tables::TextForm form);
    ListKeys(const ListKeys&) = delete;
    ListKeys& operator=(const ListKeys&) = delete;

    int Count() const { return list_.Count(); }
    bool Strings() const { return strings_; }
    // A string list's text (empty for other lists).
    std::string_view Text(int index) const;
    ItemKey Key(int index);
    // Whether this list's item `i` and `other`'s item `j` have the same key and name (two
    // texts only when they are the same text).
    bool SameItem(int i, ListKeys& other, int j);

private:
    struct ClassKeys {
        const ClassInfo* cls = nullptr;
        const tables::KeyRow* row = nullptr;
        const PropInfo* keys[2] = {};
        const PropInfo* name = nullptr;
        const PropInfo* fallback = nullptr;
    };
    const ClassKeys& KeysFor(const ClassInfo& cls);
    std::string_view TextOf(const Persistent& item, const PropInfo& prop);
    KeyPart PartOf(const Persistent& item, const PropInfo* prop);
    ItemKey ObjectKey(const Persistent& item);

    const Collection& list_;
    const tables::TextForm form_;
    const bool strings_;
    ClassKeys classKeys_;
    std::vector<std::unique_ptr<std::string>> held_;  // texts of properties read by methods
};

// For each item of `before`, the index of its partner in `after`, or -1. Items pair by key;
// among items sharing a key, those with the same name pair first, the rest in order. Runs of
// the same items at both ends pair without building their keys.
std::vector<int> PairItems(ListKeys& before, ListKeys& after);

// Whether both lists name the same items, in any order; their names joined by ", ".
bool SameNames(ListKeys& a, ListKeys& b);
std::string JoinedNames(ListKeys& keys);

// A program's display name split before its trailing version ("Foo 1.2": "Foo" and "1.2"):
// the last word when it starts with a digit, or with "v" and a digit, and holds only letters,
// digits and ".-_"; no version otherwise.
void SplitProgram(std::string_view text, std::string_view& name, std::string_view& version);

}  // namespace rb::compare::detail
