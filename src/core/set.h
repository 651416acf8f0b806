// Enumerations with identifier names, and sets of at most 32 members stored as a bit mask
// (member n is bit n), with the text forms the XML document and the request file use.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace rb {

// Identifier names of an enumeration, in value order.
struct EnumInfo {
    const char* typeName;
    const char* const* names;
    int count;
    const char* setTypeName = "";  // name of the set type over this enumeration, if any

    const char* Name(int64_t value) const;        // "" when out of range
    int ValueOf(std::string_view name) const;     // ignoring case; -1 when unknown
};

const EnumInfo& BooleanInfo();  // False, True

// Name of an enumeration value; "" when out of range.
std::string EnumToText(const EnumInfo& info, int64_t value);
// Value of an identifier (ignoring case); raises EPropertyConvertError
// "Invalid property element: <text>" when it names no member.
int TextToEnum(const EnumInfo& info, std::string_view text);

// Members in ascending order joined by "," (no blanks, no brackets); empty set: "".
std::string SetToText(const EnumInfo& info, uint32_t mask);
// Identifiers separated by commas or blanks, brackets allowed; raises EPropertyConvertError
// "Invalid property element: <name>" for an unknown member.
uint32_t TextToSet(const EnumInfo& info, std::string_view text);

// Each enumeration used in a set or a property has a DescribeEnum overload next to it:
//   const EnumInfo& DescribeEnum(TProcessPage);
template <class E>
class Set {
public:
    using Element = E;
    static_assert(sizeof(E) <= 4, "enumeration too wide");

    constexpr Set() = default;
    constexpr Set(std::initializer_list<E> members) {
        for (E m : members) Include(m);
    }
    static constexpr Set FromMask(uint32_t mask) {
        Set s;
        s.mask_ = mask;
        return s;
    }
    constexpr uint32_t Mask() const { return mask_; }
    constexpr bool Contains(E m) const { return (mask_ >> Bit(m)) & 1U; }
    constexpr void Include(E m) { mask_ |= 1U << Bit(m); }
    constexpr void Exclude(E m) { mask_ &= ~(1U << Bit(m)); }
    constexpr bool Empty() const { return mask_ == 0; }
    friend constexpr bool operator==(Set a, Set b) { return a.mask_ == b.mask_; }
    friend constexpr bool operator!=(Set a, Set b) { return a.mask_ != b.mask_; }

    // Set types are named after their element type: TProcessPage -> TProcessPages.
    static const char* TypeName() { return DescribeEnum(E{}).setTypeName; }

private:
    static constexpr unsigned Bit(E m) { return static_cast<unsigned>(m) & 31U; }
    uint32_t mask_ = 0;
};

}  // namespace rb
