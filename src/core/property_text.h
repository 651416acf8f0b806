// Published-property values as text and back, by property kind: the XML writer and reader use
// it, and so will the report viewer. The texts here are neither escaped nor unescaped; the XML
// writer and reader do that around them.
#pragma once

#include <string>
#include <string_view>

#include "core/persistent.h"

namespace rb {

// Integers in decimal (an unsigned 32-bit value as the signed reading of its bits), a
// character as its code, an enumeration by name, a set as its member names joined by ",",
// strings as they are. Empty for a class-typed property.
std::string PropertyValueText(const Persistent& obj, const PropInfo& prop);
// The same text, as a view of the string member itself where the property is one, else of
// `scratch`, which then holds the text. Valid until the object or `scratch` changes.
std::string_view PropertyValueView(const Persistent& obj, const PropInfo& prop,
                                   std::string& scratch);

// Assigns `text` to the property. Numbers are decimal and must lie within the property's
// range (an unsigned 32-bit property also takes -2147483648..-1, stored modulo 2^32, which is
// how PropertyValueText writes its upper half); otherwise EConvertError naming the value and
// `name`. Unknown enumeration or set names raise EPropertyConvertError
// "Invalid property element: <name>". Empty text empties strings and sets.
void AssignPropertyText(Persistent& obj, const PropInfo& prop, std::string_view text,
                        std::string_view name);

}  // namespace rb
