// The binary serializer's structures and arrays: classes and sorted properties, nil, descendants,
// rejected classes, counts, and nesting too deep to follow.
#include "remoting/serializer_samples.h"

namespace rb::serializer_test {
namespace {

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
}  // namespace rb::serializer_test
