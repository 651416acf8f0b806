// Published-property tables: each persistent class describes its published properties once,
// as data (name, kind, type name, get and set), and generic code walks them: the XML writer
// and reader, the viewer's property pages, get/set by name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/set.h"

namespace rb {

class Persistent;
class ClassInfo;

// Kinds of published properties, in the framework's order (their names are also the members
// of the writer's TTypeKinds set).
enum class TypeKind : uint8_t {
    tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
    tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};
const EnumInfo& DescribeEnum(TypeKind);
using TTypeKinds = Set<TypeKind>;

// Width and signedness of ordinal properties (integers, characters, enumerations).
enum class OrdType : uint8_t { SByte, UByte, SWord, UWord, SLong, ULong };

int64_t OrdMin(OrdType t);
int64_t OrdMax(OrdType t);

// One published property. Ordinal kinds (integer, character, enumeration, set, Int64) are read
// and written as 64-bit integers (a set as its bit mask), texts as strings; a class property
// gives its object (it is never replaced through the table: readers fill the object in place).
struct PropInfo {
    const char* name = "";
    std::string upperName;  // the name in upper case, filled by the class's table
    // " <NAME></NAME>\r\n", the property's line in a document, split around the value at
    // ElementOpenSize(); filled with upperName.
    std::string element;
    size_t ElementOpenSize() const { return upperName.size() + 3; }
    TypeKind kind = TypeKind::tkUnknown;
    OrdType ord = OrdType::SLong;
    const char* typeName = "";
    const EnumInfo* enumInfo = nullptr;       // enumeration, or element type of a set
    const ClassInfo* (*classInfo)() = nullptr;  // declared class of a class property
    int64_t (*getOrd)(const Persistent&) = nullptr;
    void (*setOrd)(Persistent&, int64_t) = nullptr;
    std::string (*getStr)(const Persistent&) = nullptr;
    void (*setStr)(Persistent&, std::string_view) = nullptr;
    // A string kept in a data member, read without a copy; nullptr when reached by a method.
    const std::string* (*strField)(const Persistent&) = nullptr;
    Persistent* (*getObj)(const Persistent&) = nullptr;

    bool IsOrdinal() const;
    bool IsString() const { return kind == TypeKind::tkString || kind == TypeKind::tkLString; }
};

// A persistent class: name, ancestor, published properties (inherited ones first, in
// declaration order; a redeclared property keeps its ancestor's position) and a factory.
class ClassInfo {
public:
    using Factory = std::unique_ptr<Persistent> (*)();

    ClassInfo(const char* name, const ClassInfo* parent, std::vector<PropInfo> own,
              Factory factory = nullptr);
    ClassInfo(const ClassInfo&) = delete;
    ClassInfo& operator=(const ClassInfo&) = delete;

    const char* Name() const { return name_; }
    const ClassInfo* Parent() const { return parent_; }
    const std::vector<PropInfo>& Properties() const { return props_; }
    const PropInfo* FindProperty(std::string_view name) const;  // ignoring case
    bool InheritsFrom(const ClassInfo& other) const;              // itself included
    bool CanCreate() const { return factory_ != nullptr; }
    std::unique_ptr<Persistent> Create() const;

private:
    const char* name_;
    const ClassInfo* parent_;
    std::vector<PropInfo> props_;
    Factory factory_;
};

template <class T>
std::unique_ptr<Persistent> MakeInstance() {
    return std::make_unique<T>();
}

// The class registry: classes registered by name can be created from their names.
void RegisterPersistentClass(const ClassInfo& info);
const ClassInfo* FindClass(std::string_view name);  // ignoring case; nullptr when unknown
std::unique_ptr<Persistent> CreateRegistered(std::string_view name);  // raises when unknown

namespace detail {

template <class>
struct MemberOf;
template <class C, class T>
struct MemberOf<T C::*> {
    using Class = C;
    using Type = T;
};

template <class T>
struct IsUniquePtr : std::false_type {};
template <class T>
struct IsUniquePtr<std::unique_ptr<T>> : std::true_type {};

template <class T>
struct Pointee {
    using type = std::remove_pointer_t<T>;
};
template <class T>
struct Pointee<std::unique_ptr<T>> {
    using type = T;
};

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<Set<E>> : std::true_type {};

// Kind, width and type name of a property from its C++ type.
template <class T>
void DescribeType(PropInfo& p) {
    if constexpr (std::is_same_v<T, bool>) {
        p.kind = TypeKind::tkEnumeration;
        p.ord = OrdType::UByte;
        p.typeName = "Boolean";
        p.enumInfo = &BooleanInfo();
    } else if constexpr (std::is_same_v<T, char>) {
        p.kind = TypeKind::tkChar;
        p.ord = OrdType::UByte;
        p.typeName = "Char";
    } else if constexpr (std::is_enum_v<T>) {
        p.kind = TypeKind::tkEnumeration;
        p.ord = OrdType::UByte;
        p.enumInfo = &DescribeEnum(T{});
        p.typeName = p.enumInfo->typeName;
    } else if constexpr (IsSet<T>::value) {
        p.kind = TypeKind::tkSet;
        p.ord = OrdType::ULong;
        p.enumInfo = &DescribeEnum(typename T::Element{});
        p.typeName = T::TypeName();
    } else if constexpr (std::is_same_v<T, int64_t>) {
        p.kind = TypeKind::tkInt64;
        p.typeName = "Int64";
    } else if constexpr (std::is_same_v<T, std::string>) {
        p.kind = TypeKind::tkLString;
        p.typeName = "string";
    } else if constexpr (std::is_integral_v<T>) {
        static_assert(sizeof(T) <= 4, "wider integers are Int64 properties");
        p.kind = TypeKind::tkInteger;
        constexpr bool s = std::is_signed_v<T>;
        if constexpr (sizeof(T) == 1) {
            p.ord = s ? OrdType::SByte : OrdType::UByte;
            p.typeName = s ? "ShortInt" : "Byte";
        } else if constexpr (sizeof(T) == 2) {
            p.ord = s ? OrdType::SWord : OrdType::UWord;
            p.typeName = s ? "SmallInt" : "Word";
        } else {
            p.ord = s ? OrdType::SLong : OrdType::ULong;
            p.typeName = s ? "Integer" : "Cardinal";
        }
    } else if constexpr (IsUniquePtr<T>::value || std::is_pointer_v<T>) {
        using Obj = typename Pointee<T>::type;
        p.kind = TypeKind::tkClass;
        p.classInfo = [] { return &Obj::StaticClass(); };
        p.typeName = "";  // filled from the class when the table is built
    } else {
        static_assert(sizeof(T) == 0, "type cannot be a published property");
    }
}

template <class C, class R>
struct MemberOf<R (C::*)() const> {
    using Class = C;
    using Type = std::decay_t<R>;
};

// Fills the accessors of `p` from Access, which has static Get(const C&) -> T and
// static Set(C&, const T&) (Set unused for object properties); Field() says Get returns a
// reference to a data member, which Assign(C&, string_view) then sets in place.
template <class C, class T, class Access>
void BindAccess(PropInfo& p) {
    if constexpr (std::is_same_v<T, std::string>) {
        p.getStr = [](const Persistent& o) -> std::string {
            return Access::Get(static_cast<const C&>(o));
        };
        p.setStr = [](Persistent& o, std::string_view v) {
            if constexpr (Access::Field()) {
                Access::Assign(static_cast<C&>(o), v);  // reuses the member's room
            } else {
                Access::Set(static_cast<C&>(o), std::string(v));
            }
        };
        if constexpr (Access::Field()) {
            p.strField = [](const Persistent& o) -> const std::string* {
                return &Access::Get(static_cast<const C&>(o));
            };
        }
    } else if constexpr (IsUniquePtr<T>::value) {
        p.getObj = [](const Persistent& o) -> Persistent* {
            return Access::Get(static_cast<const C&>(o)).get();
        };
    } else if constexpr (std::is_pointer_v<T>) {
        p.getObj = [](const Persistent& o) -> Persistent* {
            return Access::Get(static_cast<const C&>(o));
        };
    } else if constexpr (IsSet<T>::value) {
        p.getOrd = [](const Persistent& o) -> int64_t {
            return Access::Get(static_cast<const C&>(o)).Mask();
        };
        p.setOrd = [](Persistent& o, int64_t v) {
            Access::Set(static_cast<C&>(o), T::FromMask(static_cast<uint32_t>(v)));
        };
    } else {
        p.getOrd = [](const Persistent& o) -> int64_t {
            if constexpr (std::is_same_v<T, char>) {
                return static_cast<unsigned char>(Access::Get(static_cast<const C&>(o)));
            } else {
                return static_cast<int64_t>(Access::Get(static_cast<const C&>(o)));
            }
        };
        p.setOrd = [](Persistent& o, int64_t v) {
            Access::Set(static_cast<C&>(o), static_cast<T>(v));
        };
    }
}

}  // namespace detail

// A published property stored in a data member: Prop<&TCPU::FVendor>("Vendor").
// A type name differing from the C++ type's default (an alias such as DWORD) may be given.
template <auto Member>
PropInfo Prop(const char* name, const char* typeName = nullptr) {
    using M = detail::MemberOf<decltype(Member)>;
    using C = typename M::Class;
    using T = typename M::Type;
    struct Access {
        static constexpr bool Field() { return true; }
        static const T& Get(const C& o) { return o.*Member; }
        static void Set(C& o, const T& v) {
            if constexpr (std::is_copy_assignable_v<T>) o.*Member = v;
        }
        static void Assign(C& o, std::string_view v) {
            if constexpr (std::is_same_v<T, std::string>) (o.*Member).assign(v.data(), v.size());
        }
    };
    PropInfo p;
    p.name = name;
    detail::DescribeType<T>(p);
    detail::BindAccess<C, T, Access>(p);
    if (typeName) p.typeName = typeName;
    return p;
}

// A published property reached through methods: PropRW<&TFoo::GetBar, &TFoo::SetBar>("Bar").
// The getter is `T Get() const`; the setter `void Set(T)` (nullptr for object properties).
template <auto Getter, auto Setter>
PropInfo PropRW(const char* name, const char* typeName = nullptr) {
    using M = detail::MemberOf<decltype(Getter)>;
    using C = typename M::Class;
    using T = typename M::Type;
    struct Access {
        static constexpr bool Field() { return false; }
        static T Get(const C& o) { return (o.*Getter)(); }
        static void Set(C& o, const T& v) {
            if constexpr (!std::is_same_v<decltype(Setter), std::nullptr_t>) (o.*Setter)(v);
        }
    };
    PropInfo p;
    p.name = name;
    detail::DescribeType<T>(p);
    detail::BindAccess<C, T, Access>(p);
    if (typeName) p.typeName = typeName;
    return p;
}

}  // namespace rb
