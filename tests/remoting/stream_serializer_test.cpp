// The binary serializer: the bytes of every value kind, reading back, and hostile bodies.
#include "remoting/stream_serializer.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/exception.h"
#include "remoting/rc_complex.h"
#include "remoting/wire_bytes.h"

namespace rb {
namespace {

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

const RCClassInfo& TSample::StaticClass() {
    static const RCClassInfo info("TSample", &TRCComplexType::StaticClass(),
                                  {RCProp<&TSample::Beta>("Beta"), RCProp<&TSample::alpha>("alpha"),
                                   RCProp<&TSample::IdX>("IdX"), RCProp<&TSample::Id>("Id")},
                                  MakeRCInstance<TSample>);
    return info;
}
const RCClassInfo& TSampleEx::StaticClass() {
    static const RCClassInfo info("TSampleEx", &TSample::StaticClass(),
                                  {RCProp<&TSampleEx::Extra>("Extra")}, MakeRCInstance<TSampleEx>);
    return info;
}
const RCClassInfo& TOther::StaticClass() {
    static const RCClassInfo info("TOther", &TRCComplexType::StaticClass(), {},
                                  MakeRCInstance<TOther>);
    return info;
}
const RCClassInfo& TNode::StaticClass() {
    static const RCClassInfo info("TNode", &TRCComplexType::StaticClass(),
                                  {RCProp<&TNode::Next>("Next")}, MakeRCInstance<TNode>);
    return info;
}
const RCClassInfo& TPlain::StaticClass() {
    static const RCClassInfo info("TPlain", &RCObject::StaticClass(), {}, MakeRCInstance<TPlain>);
    return info;
}
const RCClassInfo& TIntArray::StaticClass() {
    static const RCClassInfo info("TIntArray", &TRCArray::StaticClass(), {},
                                  MakeRCInstance<TIntArray>);
    return info;
}
const RCClassInfo& TSampleArray::StaticClass() {
    static const RCClassInfo info("TSampleArray", &TRCArray::StaticClass(), {},
                                  MakeRCInstance<TSampleArray>);
    return info;
}

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

bool operator==(Comp a, Comp b) {
    return a.value == b.value;
}
bool operator==(Currency a, Currency b) {
    return a.scaled == b.scaled;
}
bool operator==(DateTimeValue a, DateTimeValue b) {
    return a.value == b.value;
}

// One value kind: what it is written as, and that it reads back the same.
struct EncodingCase {
    const char* what;
    std::function<void(TRCStreamSerializer&)> write;
    std::function<bool(TRCStreamSerializer&)> readsBack;
    const char* bytes;
};

template <class T>
EncodingCase Case(const char* what, T value, const char* bytes) {
    return {what, [value](TRCStreamSerializer& s) { s.WriteValue("v", value); },
            [value](TRCStreamSerializer& s) {
                T back{};
                s.ReadValue("v", back);
                return back == value;
            },
            bytes};
}

TEST_F(SerializerTest, EveryKindHasItsWireForm) {
    const EncodingCase cases[] = {
        Case<int8_t>("ShortInt", -2, "FE"),
        Case<uint8_t>("Byte", 200, "C8"),
        Case<int16_t>("SmallInt", -2, "FE FF"),
        Case<uint16_t>("Word", 0x1234, "34 12"),
        Case<int32_t>("Integer", -1, "FF FF FF FF"),
        Case<uint32_t>("Cardinal", 0x89ABCDEFu, "EF CD AB 89"),
        Case<bool>("Boolean True", true, "01 00 00 00"),
        Case<bool>("Boolean False", false, "00 00 00 00"),
        Case<TColor>("enumeration", TColor::clBlue, "02 00 00 00"),
        Case<int64_t>("Int64", 0x0102030405060708, "08 07 06 05 04 03 02 01"),
        Case<float>("Single", 1.5f, "00 00 C0 3F"),
        Case<double>("Double", 1.0, "00 00 00 00 00 00 F0 3F"),
        Case<Extended>("Extended 1", 1.0L, "00 00 00 00 00 00 00 80 FF 3F"),
        Case<Extended>("Extended -2.5", -2.5L, "00 00 00 00 00 00 00 A0 00 C0"),
        Case<Extended>("Extended 0.1", 0.1L, "CD CC CC CC CC CC CC CC FB 3F"),
        Case<Extended>("Extended 0", 0.0L, "00 00 00 00 00 00 00 00 00 00"),
        Case<Comp>("Comp", Comp{-1}, "FF FF FF FF FF FF FF FF"),
        Case<Currency>("Currency 1.5", Currency::FromDouble(1.5), "98 3A 00 00 00 00 00 00"),
        Case<DateTimeValue>("TDateTime", DateTimeValue{2.5}, "00 00 00 00 00 00 04 40"),
        Case<std::string>("AnsiString", std::string("A\xF1o"), "03 00 00 00 41 F1 6F"),
        Case<std::string>("empty AnsiString", std::string(), "00 00 00 00"),
        Case<std::u16string>("WideString", std::u16string(u"abc"), "03 00 00 00 61 00 62 00 63 00"),
        Case<std::u16string>("WideString beyond Latin-1", std::u16string(u"\u00F1\u20AC"),
                             "02 00 00 00 F1 00 AC 20"),
        Case<std::u16string>("empty WideString", std::u16string(), "00 00 00 00"),
    };
    for (const EncodingCase& c : cases) {
        body.Clear();
        c.write(s);
        EXPECT_EQ(ToHex(Written()), ToHex(Hex(c.bytes))) << c.what;
        body.SetPosition(0);
        EXPECT_TRUE(c.readsBack(s)) << c.what;
        EXPECT_EQ(body.Position(), body.Size()) << c.what;
    }
    EXPECT_EQ(Currency::FromDouble(1.5).scaled, 15000);
}

TEST_F(SerializerTest, OnlyTheLowestByteOfAnEnumerationCounts) {
    Load(Hex("00 01 00 00 02 00 00 00 05 01 00 00"));
    bool flag = true;
    s.ReadValue("v", flag);
    EXPECT_FALSE(flag);
    s.ReadValue("v", flag);
    EXPECT_TRUE(flag);
    TColor color{};
    s.ReadValue("v", color);
    EXPECT_EQ(static_cast<int>(color), 5);
}

TEST_F(SerializerTest, StringLengthsAreCheckedAgainstTheWholeBody) {
    // A negative length is an empty string that costs only its four bytes.
    Load(Hex("FF FF FF FF 78 79 7A"));
    std::string text = "x";
    s.ReadValue("v", text);
    EXPECT_EQ(text, "");
    EXPECT_EQ(body.Position(), 4u);

    // 1000 units are 2000 bytes: more than a body of 1500.
    Load(wire::Le32(1000) + std::string(1496, 'a'));
    std::u16string wide;
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", wide); }),
              "Stream read error: Invalid string length \"1000\"");
    Load(wire::Le32(700) + std::string(1496, 'a'));
    s.ReadValue("v", wide);
    EXPECT_EQ(wide.size(), 700u);

    Load(wire::Le32(9) + "abcd");
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", text); }),
              "Stream read error: Invalid string length \"9\"");
}

TEST_F(SerializerTest, NumbersCutShortReadAsZeroBytes) {
    Load(Hex("01 02 03"));
    int64_t value = -1;
    s.ReadValue("v", value);
    EXPECT_EQ(value, 0x030201);
}

TEST_F(SerializerTest, OtherKindsAreRefused) {
    const RCTypeInfo variant{TypeKind::tkVariant, "Variant"};
    const RCTypeInfo set{TypeKind::tkSet, "TColors"};
    const RCTypeInfo character{TypeKind::tkChar, "Char"};
    int64_t storage = 0;
    EXPECT_EQ(ReadError([&] { s.Write("v", variant, &storage); }),
              "Type \"tkVariant\" not supported");
    EXPECT_EQ(ReadError([&] { s.Read("v", set, &storage); }), "Type \"tkSet\" not supported");
    EXPECT_EQ(ReadError([&] { s.Write("v", character, &storage); }),
              "Type \"tkChar\" not supported");
}

TEST_F(SerializerTest, StructuresTravelWithTheirClassAndSortedProperties) {
    auto sample = std::make_unique<TSample>();
    sample->Beta = -2;
    sample->alpha = u"ab";
    sample->Id = 7;
    sample->IdX = 9;
    s.WriteValue("v", sample);
    const std::string expected = Hex("01") + wire::Ansi("TSample") + wire::Wide(u"ab") +
                                 Hex("FE FF") + Hex("07 00 00 00") + Hex("09");
    EXPECT_EQ(ToHex(Written()), ToHex(expected));

    body.SetPosition(0);
    std::unique_ptr<TSample> back;
    s.ReadValue("v", back);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->alpha, u"ab");
    EXPECT_EQ(back->Beta, -2);
    EXPECT_EQ(back->Id, 7);
    EXPECT_EQ(back->IdX, 9);
}

TEST_F(SerializerTest, ANilStructureCostsOneByte) {
    std::unique_ptr<TSample> none;
    s.WriteValue("v", none);
    EXPECT_EQ(ToHex(Written()), "00");
    body.SetPosition(0);
    auto back = std::make_unique<TSample>();
    s.ReadValue("v", back);
    EXPECT_FALSE(back);
}

TEST_F(SerializerTest, ADescendantTravelsUnderItsOwnClass) {
    std::unique_ptr<TSample> value = std::make_unique<TSampleEx>();
    static_cast<TSampleEx&>(*value).Extra = true;
    s.WriteValue("v", value);
    body.SetPosition(0);
    std::unique_ptr<TSample> back;
    s.ReadValue("v", back);
    auto* ex = dynamic_cast<TSampleEx*>(back.get());
    ASSERT_NE(ex, nullptr);
    EXPECT_TRUE(ex->Extra);
}

TEST_F(SerializerTest, UnknownOrUnrelatedClassesAreRejected) {
    std::unique_ptr<TSample> back;
    Load(Hex("01") + wire::Ansi("tsampleex") + std::string(20, '\0'));  // case is ignored
    s.ReadValue("v", back);
    EXPECT_TRUE(dynamic_cast<TSampleEx*>(back.get()));

    Load(Hex("01") + wire::Ansi("TNope"));
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", back); }),
              "Unknown class \"TNope\" found in stream.");
    Load(Hex("01") + wire::Ansi("TOther"));
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", back); }),
              "Unexpected class found in stream; class \"TOther\" does not descend from "
              "\"TSample\".");
    Load(Hex("01") + wire::Ansi(std::string(257, 'T')));
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", back); }),
              "Stream read error: Invalid string length \"257\"");

    std::unique_ptr<TPlain> plain = std::make_unique<TPlain>();
    EXPECT_EQ(ReadError([&] { s.WriteValue("v", plain); }), "Type \"TPlain\" not supported");
    Load(Hex("01"));
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", plain); }),
              "Stream read error: Invalid class type encountered: \"TPlain\"");
}

TEST_F(SerializerTest, ArraysCarryTheirCountThenTheElements) {
    auto numbers = std::make_unique<TIntArray>();
    numbers->items = {1, -1};
    s.WriteValue("v", numbers);
    EXPECT_EQ(ToHex(Written()), "01 02 00 00 00 01 00 00 00 FF FF FF FF");

    body.Clear();
    auto samples = std::make_unique<TSampleArray>();
    samples->items.push_back(nullptr);
    samples->items.push_back(std::make_unique<TSample>());
    samples->items[1]->Id = 42;
    s.WriteValue("v", samples);
    body.SetPosition(0);
    std::unique_ptr<TSampleArray> back;
    s.ReadValue("v", back);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->items.size(), 2u);
    EXPECT_FALSE(back->items[0]);
    ASSERT_TRUE(back->items[1]);
    EXPECT_EQ(back->items[1]->Id, 42);

    // A count no body of this size could hold.
    Load(Hex("01 FF FF FF 7F 00 00"));
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", back); }),
              "Stream read error: Invalid array length \"2147483647\"");
    // The count is checked against what the elements need: three integers are 12 bytes,
    // more than the 11 that follow, though there is a byte for each.
    std::unique_ptr<TIntArray> ints;
    Load(Hex("01 03 00 00 00 01 00 00 00 02 00 00 00 03 00 00"));
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", ints); }),
              "Stream read error: Invalid array length \"3\"");
}

TEST_F(SerializerTest, BinaryValuesAreSizedByteBlocks) {
    auto bytes = std::make_unique<MemoryStream>(std::string("hi"));
    bytes->SetPosition(2);  // written from the start whatever the position
    s.WriteValue("v", bytes);
    EXPECT_EQ(ToHex(Written()), "01 02 00 00 00 68 69");

    body.SetPosition(0);
    std::unique_ptr<MemoryStream> back;
    s.ReadValue("v", back);
    ASSERT_TRUE(back);
    EXPECT_STREQ(back->Class().Name(), "TRCBinaryMemoryStream");
    EXPECT_EQ(back->Size(), 2u);
    EXPECT_EQ(back->Position(), 0u);

    Load(Hex("01 00 00 00 80"));  // negative size: an empty stream
    s.ReadValue("v", back);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Size(), 0u);

    Load(Hex("01 09 00 00 00 41 42"));  // larger than the body
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", back); }),
              "Stream read error: Invalid string length \"9\"");
    Load(Hex("01 05 00 00 00 41 42"));  // fits the body, but fewer bytes arrive
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", back); }),
              "Stream read error: Invalid string length \"5\"");
}

TEST_F(SerializerTest, DeeplyNestedStructuresAreRefused) {
    std::string chain;
    for (int i = 0; i < 200; ++i) chain += Hex("01") + wire::Ansi("TNode");
    Load(chain + Hex("00"));
    std::unique_ptr<TNode> node;
    EXPECT_EQ(ReadError([&] { s.ReadValue("v", node); }),
              "Stream read error: structures nested too deeply");

    Load(Hex("01") + wire::Ansi("TNode") + Hex("01") + wire::Ansi("TNode") + Hex("00"));
    s.ReadValue("v", node);
    ASSERT_TRUE(node && node->Next);
    EXPECT_FALSE(node->Next->Next);
}

TEST(SerializerOrder, NamesCompareWithoutCaseAndPrefixesFirst) {
    const auto props = TRCSerializer::SortedProperties(TSampleEx::StaticClass());
    std::vector<std::string> names;
    for (const RCPropInfo* p : props) names.push_back(p->name);
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Beta", "Extra", "Id", "IdX"}));
}

}  // namespace
}  // namespace rb
