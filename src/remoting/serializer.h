// The serializer of remote-call values. The general part dispatches a value by the kind of its
// type information to a typed operation and walks structured values by their published
// properties; TRCStreamSerializer (stream_serializer.h) gives the typed operations their bytes.
// Names are handed down everywhere so that a serializer could use them; the binary one does not.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "remoting/rc_types.h"

namespace rb {

class TRCSerializer {
public:
    TRCSerializer() = default;
    TRCSerializer(const TRCSerializer&) = delete;
    TRCSerializer& operator=(const TRCSerializer&) = delete;
    virtual ~TRCSerializer() = default;

    // `value` is the address of a value of the C++ type that `type` describes (see TypeInfoOf).
    // Unsupported kinds raise "Type \"<kind>\" not supported".
    void Write(const std::string& name, const RCTypeInfo& type, const void* value);
    // Reads into `variable`; strings are read without a length limit. A structured value read
    // replaces the object held by the variable only once it has been read completely.
    void Read(const std::string& name, const RCTypeInfo& type, void* variable);

    template <class T>
    void WriteValue(const std::string& name, const T& value) {
        Write(name, TypeInfoOf<T>(), &value);
    }
    template <class T>
    void ReadValue(const std::string& name, T& variable) {
        Read(name, TypeInfoOf<T>(), &variable);
    }

    // Published properties in the order they travel: by name, compared byte by byte with
    // bit 5 cleared (letter case ignored), a name before the longer names it begins.
    static std::vector<const RCPropInfo*> SortedProperties(const RCClassInfo& info);

protected:
    virtual void WriteInteger(const std::string& name, OrdType ord, int64_t value) = 0;
    virtual void WriteInt64(const std::string& name, int64_t value) = 0;
    virtual void WriteEnumerated(const std::string& name, const RCTypeInfo& type,
                                 uint8_t value) = 0;
    virtual void WriteAnsiString(const std::string& name, const std::string& value) = 0;
    virtual void WriteWideString(const std::string& name, const std::u16string& value) = 0;
    virtual void WriteDateTime(const std::string& name, double value) = 0;
    // `value` is the address of a value of the float type's C++ counterpart.
    virtual void WriteFloat(const std::string& name, FloatType type, const void* value) = 0;
    // Writes what comes before the properties; false when nothing follows (a nil object).
    virtual bool BeginWriteObject(const std::string& name, const RCObject* object) = 0;
    virtual void EndWriteObject(const std::string&, const RCObject&) {}
    // What comes after the properties: array elements, stream content.
    virtual void CustomWriteObject(const std::string& name, const RCObject& object) = 0;

    virtual int64_t ReadInteger(const std::string& name, OrdType ord) = 0;
    virtual int64_t ReadInt64(const std::string& name) = 0;
    virtual uint8_t ReadEnumerated(const std::string& name, const RCTypeInfo& type) = 0;
    // A negative limit means none.
    virtual void ReadAnsiString(const std::string& name, std::string& value, int32_t limit) = 0;
    virtual void ReadWideString(const std::string& name, std::u16string& value, int32_t limit) = 0;
    virtual double ReadDateTime(const std::string& name) = 0;
    virtual void ReadFloat(const std::string& name, FloatType type, void* value) = 0;
    // Creates the object the stream announces; nullptr for a nil object.
    virtual std::unique_ptr<RCObject> BeginReadObject(const std::string& name,
                                                      const RCClassInfo& expected) = 0;
    virtual void EndReadObject(const std::string&, RCObject&) {}
    virtual void CustomReadObject(const std::string& name, RCObject& object) = 0;

private:
    void WriteObject(const std::string& name, const RCTypeInfo& type, const void* value);
    void ReadObject(const std::string& name, const RCTypeInfo& type, void* variable);

    int depth_ = 0;  // structures being read inside each other
};

}  // namespace rb
