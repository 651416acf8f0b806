#include "core/property_text.h"

#include "core/exception.h"
#include "core/text.h"

namespace rb {

std::string PropertyValueText(const Persistent& obj, const PropInfo& prop) {
    if (prop.IsString()) return prop.getStr ? prop.getStr(obj) : std::string();
    if (!prop.getOrd) return std::string();
    const int64_t value = prop.getOrd(obj);
    switch (prop.kind) {
        case TypeKind::tkInteger:
            if (prop.ord == OrdType::ULong) {
                return IntToStr(static_cast<int32_t>(static_cast<uint32_t>(value)));
            }
            return IntToStr(value);
        case TypeKind::tkChar:
        case TypeKind::tkInt64: return IntToStr(value);
        case TypeKind::tkEnumeration:
            return prop.enumInfo ? EnumToText(*prop.enumInfo, value) : std::string();
        case TypeKind::tkSet:
            return prop.enumInfo ? SetToText(*prop.enumInfo, static_cast<uint32_t>(value))
                                 : std::string();
        default: return std::string();
    }
}

std::string_view PropertyValueView(const Persistent& obj, const PropInfo& prop,
                                   std::string& scratch) {
    if (prop.strField && prop.IsString()) return *prop.strField(obj);
    scratch = PropertyValueText(obj, prop);
    return scratch;
}

namespace {

// A document value can be megabytes long; messages show its start only.
std::string Shown(std::string_view text) {
    constexpr size_t kMax = 64;
    if (text.size() <= kMax) return std::string(text);
    return std::string(text.substr(0, kMax)) + "...";
}

int64_t ReadNumber(std::string_view text, std::string_view name, int64_t min, int64_t max) {
    const std::optional<int64_t> value = TryStrToInt64(text);
    if (!value) {
        throw EConvertError("'" + Shown(text) + "' is not a valid integer value for property " +
                            std::string(name));
    }
    if (*value < min || *value > max) {
        throw EConvertError("'" + Shown(text) + "' is out of range for property " +
                            std::string(name) + " (" + IntToStr(min) + ".." + IntToStr(max) +
                            ")");
    }
    return *value;
}

[[noreturn]] void WrongKind(const PropInfo& prop) {
    throw EPropertyConvertError(std::string("Invalid property type: ") + prop.typeName);
}

}  // namespace

void AssignPropertyText(Persistent& obj, const PropInfo& prop, std::string_view text,
                        std::string_view name) {
    if (prop.IsString()) {
        if (!prop.setStr) WrongKind(prop);
        prop.setStr(obj, text);
        return;
    }
    if (!prop.setOrd) WrongKind(prop);
    switch (prop.kind) {
        case TypeKind::tkInteger: {
            const bool unsigned32 = prop.ord == OrdType::ULong;
            const int64_t min = unsigned32 ? INT32_MIN : OrdMin(prop.ord);
            const int64_t value = ReadNumber(text, name, min, OrdMax(prop.ord));
            prop.setOrd(obj, value < 0 && unsigned32 ? value + (int64_t{1} << 32) : value);
            return;
        }
        case TypeKind::tkChar: prop.setOrd(obj, ReadNumber(text, name, 0, 255)); return;
        case TypeKind::tkInt64:
            prop.setOrd(obj, ReadNumber(text, name, INT64_MIN, INT64_MAX));
            return;
        case TypeKind::tkEnumeration:
            if (!prop.enumInfo) WrongKind(prop);
            prop.setOrd(obj, TextToEnum(*prop.enumInfo, text));
            return;
        case TypeKind::tkSet:
            if (!prop.enumInfo) WrongKind(prop);
            prop.setOrd(obj, TextToSet(*prop.enumInfo, text));
            return;
        default: WrongKind(prop);
    }
}

}  // namespace rb
