// The classes and the fixture of the binary serializer's tests: structures whose property
// names only a case-blind order sorts right, a descendant, an unrelated class, a linked node,
// arrays, and a serializer over a memory body.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "core/exception.h"
#include "remoting/rc_complex.h"
#include "remoting/stream_serializer.h"
#include "remoting/wire_bytes.h"

namespace rb::serializer_test {

using wire::Hex;
using wire::ToHex;

enum class TColor : uint8_t { clRed, clGreen, clBlue };

// Property names chosen so that only the case-blind order sorts them right: "alpha" before
// "Beta", and "Id" before "IdX".
class TSample : public TRCComplexType {
    RB_RC_CLASS
public:
    int16_t Beta = 0;
    std::u16string alpha;
    uint8_t IdX = 0;
    int32_t Id = 0;
};

class TSampleEx : public TSample {
    RB_RC_CLASS
public:
    bool Extra = false;
};

class TOther : public TRCComplexType {
    RB_RC_CLASS
};

class TNode : public TRCComplexType {
    RB_RC_CLASS
public:
    std::unique_ptr<TNode> Next;
};

class TPlain : public RCObject {
    RB_RC_CLASS
};

class TIntArray : public TRCArrayOf<int32_t> {
    RB_RC_CLASS
};

class TSampleArray : public TRCArrayOf<std::unique_ptr<TSample>> {
    RB_RC_CLASS
};

class SerializerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const RCClassInfo* c : {&TSample::StaticClass(), &TSampleEx::StaticClass(),
                                     &TOther::StaticClass(), &TNode::StaticClass()}) {
            RegisterRCClass(*c);
        }
    }

    std::string Written() const { return std::string(body.Bytes().begin(), body.Bytes().end()); }
    // Points the serializer at `bytes`, from their start.
    void Load(const std::string& bytes) {
        body.Clear();
        body.Write(bytes);
        body.SetPosition(0);
    }
    std::string ReadError(const std::function<void()>& read) {
        try {
            read();
        } catch (const Exception& e) {
            return e.what();
        }
        return "(no error)";
    }

    MemoryStream body;
    TRCStreamSerializer s{&body};
};

inline bool operator==(Comp a, Comp b) {
    return a.value == b.value;
}
inline bool operator==(Currency a, Currency b) {
    return a.scaled == b.scaled;
}
inline bool operator==(DateTimeValue a, DateTimeValue b) {
    return a.value == b.value;
}

}  // namespace rb::serializer_test
