// The binary serializer: the bytes of every value kind, reading back, and hostile bodies.
#include "remoting/serializer_samples.h"

namespace rb::serializer_test {
namespace {

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

}  // namespace
}  // namespace rb::serializer_test
