#include "remoting/serializer.h"

#include <algorithm>

#include "core/exception.h"
#include "core/set.h"
#include "core/text.h"

namespace rb {
namespace {

// Structures inside structures: deep enough for any real signature, shallow enough that a
// hostile reply cannot exhaust the stack through a self-referencing class.
constexpr int kMaxNesting = 64;

[[noreturn]] void Unsupported(TypeKind kind) {
    throw Exception(Format("Type \"%s\" not supported", DescribeEnum(kind).Name(int(kind))));
}

int64_t LoadInteger(OrdType ord, const void* v) {
    switch (ord) {
        case OrdType::SByte:
            return *static_cast<const int8_t*>(v);
        case OrdType::UByte:
            return *static_cast<const uint8_t*>(v);
        case OrdType::SWord:
            return *static_cast<const int16_t*>(v);
        case OrdType::UWord:
            return *static_cast<const uint16_t*>(v);
        case OrdType::SLong:
            return *static_cast<const int32_t*>(v);
        case OrdType::ULong:
            return *static_cast<const uint32_t*>(v);
    }
    return 0;
}

void StoreInteger(OrdType ord, void* v, int64_t value) {
    switch (ord) {
        case OrdType::SByte:
            *static_cast<int8_t*>(v) = static_cast<int8_t>(value);
            break;
        case OrdType::UByte:
            *static_cast<uint8_t*>(v) = static_cast<uint8_t>(value);
            break;
        case OrdType::SWord:
            *static_cast<int16_t*>(v) = static_cast<int16_t>(value);
            break;
        case OrdType::UWord:
            *static_cast<uint16_t*>(v) = static_cast<uint16_t>(value);
            break;
        case OrdType::SLong:
            *static_cast<int32_t*>(v) = static_cast<int32_t>(value);
            break;
        case OrdType::ULong:
            *static_cast<uint32_t*>(v) = static_cast<uint32_t>(value);
            break;
    }
}

bool IsBoolean(const RCTypeInfo& type) {
    return &type == &BooleanTypeInfo();
}
bool IsDateTime(const RCTypeInfo& type) {
    return &type == &DateTimeTypeInfo();
}

// Byte-wise order with bit 5 cleared, so "abc" and "ABC" compare equal.
bool NameBefore(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned ca = static_cast<unsigned char>(*a) & ~0x20u;
        const unsigned cb = static_cast<unsigned char>(*b) & ~0x20u;
        if (*a == 0 || *b == 0) return *a == 0 && *b != 0;
        if (ca != cb) return ca < cb;
    }
}

}  // namespace

std::vector<const RCPropInfo*> TRCSerializer::SortedProperties(const RCClassInfo& info) {
    std::vector<const RCPropInfo*> props;
    for (const RCPropInfo& p : info.Properties()) props.push_back(&p);
    std::stable_sort(props.begin(), props.end(), [](const RCPropInfo* a, const RCPropInfo* b) {
        return NameBefore(a->name, b->name);
    });
    return props;
}

void TRCSerializer::Write(const std::string& name, const RCTypeInfo& type, const void* value) {
    switch (type.kind) {
        case TypeKind::tkInteger:
            return WriteInteger(name, type.ord, LoadInteger(type.ord, value));
        case TypeKind::tkEnumeration:
            return WriteEnumerated(name, type,
                                   IsBoolean(type) ? uint8_t(*static_cast<const bool*>(value))
                                                   : *static_cast<const uint8_t*>(value));
        case TypeKind::tkInt64:
            return WriteInt64(name, *static_cast<const int64_t*>(value));
        case TypeKind::tkFloat:
            if (IsDateTime(type)) {
                return WriteDateTime(name, static_cast<const DateTimeValue*>(value)->value);
            }
            return WriteFloat(name, type.floatType, value);
        case TypeKind::tkString:
        case TypeKind::tkLString:
            return WriteAnsiString(name, *static_cast<const std::string*>(value));
        case TypeKind::tkWString:
            return WriteWideString(name, *static_cast<const std::u16string*>(value));
        case TypeKind::tkClass:
            return WriteObject(name, type, value);
        default:
            Unsupported(type.kind);
    }
}

void TRCSerializer::Read(const std::string& name, const RCTypeInfo& type, void* variable) {
    switch (type.kind) {
        case TypeKind::tkInteger:
            return StoreInteger(type.ord, variable, ReadInteger(name, type.ord));
        case TypeKind::tkEnumeration: {
            const uint8_t low = ReadEnumerated(name, type);
            if (IsBoolean(type)) {
                *static_cast<bool*>(variable) = low != 0;
            } else {
                *static_cast<uint8_t*>(variable) = low;
            }
            return;
        }
        case TypeKind::tkInt64:
            *static_cast<int64_t*>(variable) = ReadInt64(name);
            return;
        case TypeKind::tkFloat:
            if (IsDateTime(type)) {
                static_cast<DateTimeValue*>(variable)->value = ReadDateTime(name);
                return;
            }
            return ReadFloat(name, type.floatType, variable);
        case TypeKind::tkString:
        case TypeKind::tkLString:
            return ReadAnsiString(name, *static_cast<std::string*>(variable), -1);
        case TypeKind::tkWString:
            return ReadWideString(name, *static_cast<std::u16string*>(variable), -1);
        case TypeKind::tkClass:
            return ReadObject(name, type, variable);
        default:
            Unsupported(type.kind);
    }
}

void TRCSerializer::WriteObject(const std::string& name, const RCTypeInfo& type,
                                const void* value) {
    const RCObject* object = type.getObject(value);
    if (!BeginWriteObject(name, object)) return;
    for (const RCPropInfo* p : SortedProperties(object->Class())) {
        Write(p->name, p->type(), p->address(const_cast<RCObject&>(*object)));
    }
    CustomWriteObject(name, *object);
    EndWriteObject(name, *object);
}

void TRCSerializer::ReadObject(const std::string& name, const RCTypeInfo& type, void* variable) {
    if (depth_ >= kMaxNesting) throw Exception("Stream read error: structures nested too deeply");
    ++depth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{depth_};
    const RCClassInfo& expected = *type.classInfo();
    std::unique_ptr<RCObject> object = BeginReadObject(name, expected);
    if (object) {
        for (const RCPropInfo* p : SortedProperties(object->Class())) {
            Read(p->name, p->type(), p->address(*object));
        }
        CustomReadObject(name, *object);
        EndReadObject(name, *object);
    }
    if (!type.setObject(variable, object)) {
        throw Exception(
            Format("Unexpected class found in stream; class \"%s\" does not descend "
                   "from \"%s\".",
                   object->Class().Name(), expected.Name()));
    }
}

}  // namespace rb
