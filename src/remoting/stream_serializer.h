// The binary serializer: values follow each other in call order, little-endian, with no names,
// type tags or separators. It reads from and writes to a memory stream it does not own (the
// message's body), at the stream's position.
#pragma once

#include "remoting/memory_stream.h"
#include "remoting/serializer.h"

namespace rb {

class TRCStreamSerializer : public TRCSerializer {
public:
    explicit TRCStreamSerializer(MemoryStream* stream = nullptr) : stream_(stream) {}

    MemoryStream* Stream() const { return stream_; }
    void SetStream(MemoryStream* stream) { stream_ = stream; }

protected:
    void WriteInteger(const std::string& name, OrdType ord, int64_t value) override;
    void WriteInt64(const std::string& name, int64_t value) override;
    void WriteEnumerated(const std::string& name, const RCTypeInfo& type, uint8_t value) override;
    void WriteAnsiString(const std::string& name, const std::string& value) override;
    void WriteWideString(const std::string& name, const std::u16string& value) override;
    void WriteDateTime(const std::string& name, double value) override;
    void WriteFloat(const std::string& name, FloatType type, const void* value) override;
    bool BeginWriteObject(const std::string& name, const RCObject* object) override;
    void CustomWriteObject(const std::string& name, const RCObject& object) override;

    int64_t ReadInteger(const std::string& name, OrdType ord) override;
    int64_t ReadInt64(const std::string& name) override;
    uint8_t ReadEnumerated(const std::string& name, const RCTypeInfo& type) override;
    void ReadAnsiString(const std::string& name, std::string& value, int32_t limit) override;
    void ReadWideString(const std::string& name, std::u16string& value, int32_t limit) override;
    double ReadDateTime(const std::string& name) override;
    void ReadFloat(const std::string& name, FloatType type, void* value) override;
    std::unique_ptr<RCObject> BeginReadObject(const std::string& name,
                                              const RCClassInfo& expected) override;
    void CustomReadObject(const std::string& name, RCObject& object) override;

private:
    MemoryStream& Body() const;
    void PutBytes(uint64_t value, int count);
    // Numbers take what the body still holds; missing bytes read as zero.
    uint64_t GetBytes(int count);

    MemoryStream* stream_;
};

}  // namespace rb
