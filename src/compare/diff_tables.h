// What the difference of two inventories knows about the model, as tables (diff_tables.cpp):
// the sections with their captions and pages, how the items of each list are keyed and named,
// and which values are left out by default. The walk itself (diff_walk.cpp) is generic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/persistent.h"

namespace rb::compare::tables {

template <class T>
struct Rows {
    const T* first;
    size_t count;
    const T* begin() const { return first; }
    const T* end() const { return first + count; }
};

// How a person counts a list's items in the summary ("3 programas", "1 impresora cambiada").
struct Noun {
    const char* singular;
    const char* plural;
    bool feminine;
};

// One section of the inventory: its property in TMSystemInfo, its Spanish caption, the page
// that gathers it (-1: always there) and whether it changes on every run as a whole.
struct SectionRow {
    const char* property;
    const char* caption;
    int page;
    bool volatileSection;
    Noun noun;  // of the section's own items, for list sections
};

// How the texts of a string list make keys: the whole text; "name=value" keyed by the name;
// a program's display name keyed by the name without its trailing version.
enum class TextForm : uint8_t { Whole, NameValue, Program };

// A list inside a single-object section ("Software" / "Installed"); `named` says whether a
// change line names the list (a section's only list goes without).
struct ListRow {
    const char* section;
    const char* list;
    TextForm form;
    bool named;
    Noun noun;
};

// How the items of one class are told apart: up to two key properties (the second may be
// empty), the property that names the item for a person, and one to name it by when that is
// blank. `fileNameKey` keys by the text after the last backslash of the first key property.
struct KeyRow {
    const char* itemClass;
    const char* keys[2];
    const char* name;
    const char* fallbackName;
    bool fileNameKey;
};

// How a value that may change on every run is treated by default:
// Never     not compared, not even on request (positions, how the document was made);
// Always    left out unless volatile values are asked for;
// Margin    left out while it moves by at most `percent` of `reference`'s later value (of its
//           own larger value when `reference` is empty);
// When      left out while `applies` holds for the earlier or the later item.
enum class Rule : uint8_t { Never, Always, Margin, When };

struct VolatileRow {
    const char* itemClass;  // this class and those derived from it
    const char* property;
    Rule rule;
    const char* reference;
    int percent;
    bool (*applies)(const Persistent&);
};

Rows<SectionRow> Sections();
Rows<ListRow> Lists();
Rows<KeyRow> Keys();
Rows<VolatileRow> Volatiles();

const SectionRow* FindSection(std::string_view property);
const ListRow* FindList(std::string_view section, std::string_view list);
// The row of the class or of its nearest ancestor that has one; nullptr when none has.
const KeyRow* FindKey(const ClassInfo& itemClass);
// Whether `cls` is the class named `name` or derives from it.
bool IsClassOrDerived(const ClassInfo& cls, std::string_view name);

}  // namespace rb::compare::tables
