#include "remoting/stream_serializer.h"

#include <cstring>

#include "core/exception.h"
#include "core/text.h"
#include "remoting/extended_float.h"
#include "remoting/rc_complex.h"

namespace rb {
namespace {

[[noreturn]] void InvalidLength(int64_t length) {
    throw Exception(Format("Stream read error: Invalid string length \"%d\"", int(length)));
}

int WidthOf(OrdType ord) {
    switch (ord) {
        case OrdType::SByte:
        case OrdType::UByte:
            return 1;
        case OrdType::SWord:
        case OrdType::UWord:
            return 2;
        case OrdType::SLong:
        case OrdType::ULong:
            return 4;
    }
    return 0;
}

bool IsSigned(OrdType ord) {
    return ord == OrdType::SByte || ord == OrdType::SWord || ord == OrdType::SLong;
}

template <class To, class From>
To BitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

bool IsStream(const RCClassInfo& c) {
    return c.InheritsFrom(MemoryStream::StaticClass());
}
bool IsArray(const RCClassInfo& c) {
    return c.InheritsFrom(TRCArray::StaticClass());
}
bool IsStructured(const RCClassInfo& c) {
    return c.InheritsFrom(TRCComplexType::StaticClass());
}

// The fewest bytes one value of `type` takes on the wire (a class value: its nil byte).
size_t MinWireSize(const RCTypeInfo& type) {
    switch (type.kind) {
        case TypeKind::tkInteger:
            return static_cast<size_t>(WidthOf(type.ord));
        case TypeKind::tkEnumeration:
        case TypeKind::tkString:
        case TypeKind::tkLString:
        case TypeKind::tkWString:
            return 4;
        case TypeKind::tkInt64:
            return 8;
        case TypeKind::tkFloat: {
            static const size_t kFloatWidths[] = {4, 8, 10, 8, 8};
            return kFloatWidths[static_cast<size_t>(type.floatType)];
        }
        default:
            return 1;
    }
}

std::unique_ptr<RCObject> CreateOf(const RCClassInfo& c) {
    std::unique_ptr<RCObject> object = c.Create();
    if (!object) throw Exception(Format("Type \"%s\" not supported", c.Name()));
    return object;
}

}  // namespace

MemoryStream& TRCStreamSerializer::Body() const {
    if (!stream_) throw Exception("The serializer has no stream");
    return *stream_;
}

void TRCStreamSerializer::PutBytes(uint64_t value, int count) {
    uint8_t bytes[8];
    for (int i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    Body().Write(bytes, count);
}

uint64_t TRCStreamSerializer::GetBytes(int count) {
    uint8_t bytes[8] = {};
    Body().Read(bytes, count);
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

void TRCStreamSerializer::WriteInteger(const std::string&, OrdType ord, int64_t value) {
    PutBytes(static_cast<uint64_t>(value), WidthOf(ord));
}

void TRCStreamSerializer::WriteInt64(const std::string&, int64_t value) {
    PutBytes(static_cast<uint64_t>(value), 8);
}

void TRCStreamSerializer::WriteEnumerated(const std::string&, const RCTypeInfo&, uint8_t value) {
    PutBytes(value, 4);
}

void TRCStreamSerializer::WriteAnsiString(const std::string&, const std::string& value) {
    PutBytes(static_cast<uint32_t>(value.size()), 4);
    Body().Write(value);
}

void TRCStreamSerializer::WriteWideString(const std::string&, const std::u16string& value) {
    PutBytes(static_cast<uint32_t>(value.size()), 4);
    for (char16_t unit : value) PutBytes(unit, 2);
}

void TRCStreamSerializer::WriteDateTime(const std::string&, double value) {
    PutBytes(BitCast<uint64_t>(value), 8);
}

void TRCStreamSerializer::WriteFloat(const std::string&, FloatType type, const void* value) {
    switch (type) {
        case FloatType::Single:
            return PutBytes(BitCast<uint32_t>(*static_cast<const float*>(value)), 4);
        case FloatType::Double:
            return PutBytes(BitCast<uint64_t>(*static_cast<const double*>(value)), 8);
        case FloatType::Extended: {
            const auto bytes = EncodeExtended(*static_cast<const Extended*>(value));
            return Body().Write(bytes.data(), bytes.size());
        }
        case FloatType::Comp:
            return PutBytes(static_cast<uint64_t>(static_cast<const Comp*>(value)->value), 8);
        case FloatType::Currency:
            return PutBytes(static_cast<uint64_t>(static_cast<const Currency*>(value)->scaled), 8);
    }
}

bool TRCStreamSerializer::BeginWriteObject(const std::string&, const RCObject* object) {
    PutBytes(object ? 1 : 0, 1);
    if (!object) return false;
    const RCClassInfo& c = object->Class();
    if (IsStream(c)) return true;
    if (IsArray(c)) {
        PutBytes(static_cast<uint32_t>(static_cast<const TRCArray*>(object)->Count()), 4);
    } else if (IsStructured(c)) {
        WriteAnsiString("", c.Name());
    } else {
        throw Exception(Format("Type \"%s\" not supported", c.Name()));
    }
    return true;
}

void TRCStreamSerializer::CustomWriteObject(const std::string&, const RCObject& object) {
    if (IsArray(object.Class())) {
        const auto& array = static_cast<const TRCArray&>(object);
        for (int32_t i = 0; i < array.Count(); ++i) {
            Write("item", array.ElementType(), array.ElementAddress(i));
        }
    } else if (IsStream(object.Class())) {
        const auto& stream = static_cast<const MemoryStream&>(object);
        PutBytes(static_cast<uint32_t>(stream.Size()), 4);
        Body().Write(stream.Data(), stream.Size());
    }
}

int64_t TRCStreamSerializer::ReadInteger(const std::string&, OrdType ord) {
    const int width = WidthOf(ord);
    const uint64_t raw = GetBytes(width);
    if (!IsSigned(ord) || width == 0) return static_cast<int64_t>(raw);
    const int shift = 64 - 8 * width;  // sign-extend from the value's width
    return static_cast<int64_t>(raw << shift) >> shift;
}

int64_t TRCStreamSerializer::ReadInt64(const std::string&) {
    return static_cast<int64_t>(GetBytes(8));
}

uint8_t TRCStreamSerializer::ReadEnumerated(const std::string&, const RCTypeInfo&) {
    return static_cast<uint8_t>(GetBytes(4));  // only the lowest byte counts
}

void TRCStreamSerializer::ReadAnsiString(const std::string&, std::string& value, int32_t limit) {
    const int32_t length = static_cast<int32_t>(GetBytes(4));
    if (limit >= 0 && limit < length) InvalidLength(length);
    if (length > 0 && static_cast<size_t>(length) > Body().Size()) InvalidLength(length);
    value.assign(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    value.resize(Body().Read(value.data(), value.size()));
}

void TRCStreamSerializer::ReadWideString(const std::string&, std::u16string& value, int32_t limit) {
    const int32_t length = static_cast<int32_t>(GetBytes(4));
    if (limit >= 0 && limit < length) InvalidLength(length);
    if (length > 0 && 2 * static_cast<uint64_t>(length) > Body().Size()) InvalidLength(length);
    std::string bytes(length > 0 ? 2 * static_cast<size_t>(length) : 0, '\0');
    bytes.resize(Body().Read(bytes.data(), bytes.size()) & ~size_t{1});
    value.resize(bytes.size() / 2);
    for (size_t i = 0; i < value.size(); ++i) {
        value[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                         static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    }
}

double TRCStreamSerializer::ReadDateTime(const std::string&) {
    return BitCast<double>(GetBytes(8));
}

void TRCStreamSerializer::ReadFloat(const std::string&, FloatType type, void* value) {
    switch (type) {
        case FloatType::Single:
            *static_cast<float*>(value) = BitCast<float>(static_cast<uint32_t>(GetBytes(4)));
            return;
        case FloatType::Double:
            *static_cast<double*>(value) = BitCast<double>(GetBytes(8));
            return;
        case FloatType::Extended: {
            std::array<uint8_t, 10> bytes{};
            Body().Read(bytes.data(), bytes.size());
            *static_cast<Extended*>(value) = DecodeExtended(bytes);
            return;
        }
        case FloatType::Comp:
            static_cast<Comp*>(value)->value = static_cast<int64_t>(GetBytes(8));
            return;
        case FloatType::Currency:
            static_cast<Currency*>(value)->scaled = static_cast<int64_t>(GetBytes(8));
            return;
    }
}

std::unique_ptr<RCObject> TRCStreamSerializer::BeginReadObject(const std::string& name,
                                                               const RCClassInfo& expected) {
    if (GetBytes(1) == 0) return nullptr;
    if (IsArray(expected)) {
        std::unique_ptr<RCObject> object = CreateOf(expected);
        auto& array = static_cast<TRCArray&>(*object);
        const int32_t count = static_cast<int32_t>(GetBytes(4));
        // The elements must fit in what is left: a larger count cannot be genuine, and would
        // allocate count elements before the first one is found missing.
        const uint64_t needed = uint64_t(count > 0 ? count : 0) * MinWireSize(array.ElementType());
        if (needed > Body().Remaining()) {
            throw Exception(Format("Stream read error: Invalid array length \"%d\"", int(count)));
        }
        array.SetCount(count);
        return object;
    }
    if (IsStream(expected)) return std::make_unique<TRCBinaryMemoryStream>();
    if (!IsStructured(expected)) {
        throw Exception(
            Format("Stream read error: Invalid class type encountered: \"%s\"", expected.Name()));
    }
    std::string className;
    ReadAnsiString(name, className, 256);
    const RCClassInfo* found = FindRCClass(className);
    if (!found) throw Exception(Format("Unknown class \"%s\" found in stream.", className.c_str()));
    if (!found->InheritsFrom(expected)) {
        throw Exception(
            Format("Unexpected class found in stream; class \"%s\" does not descend "
                   "from \"%s\".",
                   className.c_str(), expected.Name()));
    }
    return CreateOf(*found);
}

void TRCStreamSerializer::CustomReadObject(const std::string&, RCObject& object) {
    if (IsArray(object.Class())) {
        auto& array = static_cast<TRCArray&>(object);
        for (int32_t i = 0; i < array.Count(); ++i) {
            Read("item", array.ElementType(), array.ElementAddress(i));
        }
    } else if (IsStream(object.Class())) {
        auto& stream = static_cast<MemoryStream&>(object);
        const int32_t size = static_cast<int32_t>(GetBytes(4));
        if (size <= 0) return;
        if (static_cast<size_t>(size) > Body().Size()) InvalidLength(size);
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        if (Body().Read(bytes.data(), bytes.size()) != bytes.size()) InvalidLength(size);
        stream.Clear();
        stream.Write(bytes.data(), bytes.size());
        stream.SetPosition(0);
    }
}

}  // namespace rb
