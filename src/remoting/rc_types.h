// Type information for remote-call values. A value travels as (type information, address of
// the value): the serializer reads the kind from the type information and the bytes from the
// address, as the framework's published-property tables do for objects. Structured values are
// RCObject descendants that describe their published properties once, as data.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/typeinfo.h"

namespace rb {

// Float sub-types, by their wire size: 4 / 8 / 10 / 8 / 8 bytes.
enum class FloatType : uint8_t { Single, Double, Extended, Comp, Currency };

// The float types without a native C++ counterpart.
using Extended = long double;  // travels as the 80-bit x87 form
struct Comp {                  // a 64-bit integer counted among the floats
    int64_t value = 0;
};
struct Currency {  // fixed point: the value times 10000
    int64_t scaled = 0;
    static Currency FromDouble(double value);
    double ToDouble() const { return static_cast<double>(scaled) / 10000.0; }
};
struct DateTimeValue {  // days since 1899-12-30, the time of day as fraction
    double value = 0;
};

class RCObject;
class RCClassInfo;

struct RCTypeInfo {
    TypeKind kind = TypeKind::tkUnknown;
    const char* name = "";
    OrdType ord = OrdType::SLong;                 // integers
    FloatType floatType = FloatType::Double;      // floats
    const RCClassInfo* (*classInfo)() = nullptr;  // class kind: the declared class
    // Class kind: the value is a std::unique_ptr of the declared class; these reach it.
    RCObject* (*getObject)(const void* value) = nullptr;
    // Stores `object` (which must be of the declared class) and answers false when it is not.
    bool (*setObject)(void* value, std::unique_ptr<RCObject>& object) = nullptr;
};

// A published property of a structured class: its name, its type and where its value lives.
struct RCPropInfo {
    const char* name = "";
    const RCTypeInfo& (*type)() = nullptr;
    void* (*address)(RCObject& object) = nullptr;
};

class RCClassInfo {
public:
    using Factory = std::unique_ptr<RCObject> (*)();

    RCClassInfo(const char* name, const RCClassInfo* parent, std::vector<RCPropInfo> own,
                Factory factory = nullptr);
    RCClassInfo(const RCClassInfo&) = delete;
    RCClassInfo& operator=(const RCClassInfo&) = delete;

    const char* Name() const { return name_; }
    const RCClassInfo* Parent() const { return parent_; }
    // Every published property, the ancestors' first.
    const std::vector<RCPropInfo>& Properties() const { return props_; }
    bool InheritsFrom(const RCClassInfo& other) const;  // itself included
    bool CanCreate() const { return factory_ != nullptr; }
    std::unique_ptr<RCObject> Create() const;

private:
    const char* name_;
    const RCClassInfo* parent_;
    std::vector<RCPropInfo> props_;
    Factory factory_;
};

// Declares the class-information members of an RCObject descendant; the table is defined once
// in a .cpp file (or inline for small test classes).
#define RB_RC_CLASS                                   \
public:                                               \
    static const ::rb::RCClassInfo& StaticClass();    \
    const ::rb::RCClassInfo& Class() const override { \
        return StaticClass();                         \
    }

// Root of every value of class kind (structures, arrays, streams).
class RCObject {
public:
    RCObject() = default;
    RCObject(const RCObject&) = delete;
    RCObject& operator=(const RCObject&) = delete;
    virtual ~RCObject() = default;

    static const RCClassInfo& StaticClass();
    virtual const RCClassInfo& Class() const { return StaticClass(); }
    bool InheritsFrom(const RCClassInfo& info) const { return Class().InheritsFrom(info); }
};

// Structured classes the reader may create by name.
void RegisterRCClass(const RCClassInfo& info);
const RCClassInfo* FindRCClass(std::string_view name);  // ignoring case; nullptr when unknown

template <class T>
std::unique_ptr<RCObject> MakeRCInstance() {
    return std::make_unique<T>();
}

// The type information of a C++ value type:
//   int8_t..uint32_t integers, bool (Boolean), 1-byte enumerations, int64_t, float, double,
//   Extended, Comp, Currency, DateTimeValue, std::string (ANSI), std::u16string (wide) and
//   std::unique_ptr<T> for an RCObject descendant T.
template <class T>
const RCTypeInfo& TypeInfoOf();

const RCTypeInfo& BooleanTypeInfo();
const RCTypeInfo& DateTimeTypeInfo();

namespace detail {

template <class T>
struct RCPointee : std::false_type {};
template <class T>
struct RCPointee<std::unique_ptr<T>> : std::true_type {
    using type = T;
};

RCTypeInfo MakeIntegerType(OrdType ord, const char* name);
RCTypeInfo MakeFloatType(FloatType type, const char* name);

template <class T>
RCTypeInfo DescribeRCType() {
    if constexpr (std::is_same_v<T, bool>) {
        return BooleanTypeInfo();
    } else if constexpr (std::is_enum_v<T>) {
        static_assert(sizeof(T) == 1, "enumerations travel from a 1-byte store");
        RCTypeInfo t;
        t.kind = TypeKind::tkEnumeration;
        t.ord = OrdType::UByte;
        t.name = "enumeration";
        return t;
    } else if constexpr (std::is_same_v<T, int64_t>) {
        return RCTypeInfo{TypeKind::tkInt64, "Int64"};
    } else if constexpr (std::is_integral_v<T>) {
        static_assert(sizeof(T) <= 4 && !std::is_same_v<T, char>, "not an integer property");
        constexpr bool s = std::is_signed_v<T>;
        if constexpr (sizeof(T) == 1) {
            return MakeIntegerType(s ? OrdType::SByte : OrdType::UByte, s ? "ShortInt" : "Byte");
        } else if constexpr (sizeof(T) == 2) {
            return MakeIntegerType(s ? OrdType::SWord : OrdType::UWord, s ? "SmallInt" : "Word");
        } else {
            return MakeIntegerType(s ? OrdType::SLong : OrdType::ULong, s ? "Integer" : "Cardinal");
        }
    } else if constexpr (std::is_same_v<T, float>) {
        return MakeFloatType(FloatType::Single, "Single");
    } else if constexpr (std::is_same_v<T, double>) {
        return MakeFloatType(FloatType::Double, "Double");
    } else if constexpr (std::is_same_v<T, Extended>) {
        return MakeFloatType(FloatType::Extended, "Extended");
    } else if constexpr (std::is_same_v<T, Comp>) {
        return MakeFloatType(FloatType::Comp, "Comp");
    } else if constexpr (std::is_same_v<T, Currency>) {
        return MakeFloatType(FloatType::Currency, "Currency");
    } else if constexpr (std::is_same_v<T, std::string>) {
        return RCTypeInfo{TypeKind::tkLString, "AnsiString"};
    } else if constexpr (std::is_same_v<T, std::u16string>) {
        return RCTypeInfo{TypeKind::tkWString, "WideString"};
    } else if constexpr (RCPointee<T>::value) {
        using C = typename RCPointee<T>::type;
        static_assert(std::is_base_of_v<RCObject, C>, "class values are RCObject descendants");
        RCTypeInfo t;
        t.kind = TypeKind::tkClass;
        t.name = C::StaticClass().Name();
        t.classInfo = [] { return &C::StaticClass(); };
        t.getObject = [](const void* v) -> RCObject* { return static_cast<const T*>(v)->get(); };
        t.setObject = [](void* v, std::unique_ptr<RCObject>& object) {
            C* typed = dynamic_cast<C*>(object.get());
            if (object && !typed) return false;
            object.release();
            static_cast<T*>(v)->reset(typed);
            return true;
        };
        return t;
    } else {
        static_assert(sizeof(T) == 0, "type cannot travel in a remote call");
    }
}

}  // namespace detail

template <class T>
const RCTypeInfo& TypeInfoOf() {
    if constexpr (std::is_same_v<T, bool>) {
        return BooleanTypeInfo();
    } else if constexpr (std::is_same_v<T, DateTimeValue>) {
        return DateTimeTypeInfo();
    } else {
        static const RCTypeInfo info = detail::DescribeRCType<T>();
        return info;
    }
}

// A published property stored in a data member: RCProp<&TPoint::X>("X").
template <auto Member>
RCPropInfo RCProp(const char* name) {
    using M = detail::MemberOf<decltype(Member)>;
    using C = typename M::Class;
    using T = typename M::Type;
    RCPropInfo p;
    p.name = name;
    p.type = []() -> const RCTypeInfo& { return TypeInfoOf<T>(); };
    p.address = [](RCObject& o) -> void* { return &(static_cast<C&>(o).*Member); };
    return p;
}

}  // namespace rb
