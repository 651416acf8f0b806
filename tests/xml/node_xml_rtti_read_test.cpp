// The property-driven reader: conversions and their errors, nested objects, collections,
// round trips through the writer, and documents of realistic size.
#include <gtest/gtest.h>

#include <chrono>

#include "core/exception.h"
#include "xml/node_xml_rtti.h"
#include "xml_test_classes.h"

namespace xmltest {
namespace {

using rb::TNodeXMLRTTI;

void Read(rb::Persistent& object, std::string_view text) {
    TNodeXMLRTTI reader;
    reader.SetRTTIObject(&object);
    reader.SetXML(text);
}

TEST(XMLReader, AcceptedTexts) {
    struct Case {
        const char* name;
        const char* text;
        bool (*check)(const TAllKinds&);
    };
    static const Case cases[] = {
        {"UNSIGNED", "-2147483648", [](const TAllKinds& k) { return k.Unsigned == 2147483648u; }},
        {"UNSIGNED", "-1", [](const TAllKinds& k) { return k.Unsigned == 4294967295u; }},
        {"UNSIGNED", "4294967295", [](const TAllKinds& k) { return k.Unsigned == 4294967295u; }},
        {"SIGNED", " +12 ", [](const TAllKinds& k) { return k.Signed == 12; }},
        {"FLAG", "true", [](const TAllKinds& k) { return k.Flag; }},
        {"PALETTE", "[Blue, red]", [](const TAllKinds& k) { return k.Palette.Mask() == 5u; }},
        {"PALETTE", "", [](const TAllKinds& k) { return k.Palette.Empty(); }},
        {"TEXT", "a&lt;&amp;lt;&gt;", [](const TAllKinds& k) { return k.Text == "a<&lt;>"; }},
        {"TEXT", "", [](const TAllKinds& k) { return k.Text.empty(); }},
    };
    for (const Case& c : cases) {
        TAllKinds k;
        k.Text = "old";
        k.Palette = {Colour::Green};
        TNodeXMLRTTI reader;
        reader.SetRTTIObject(&k);
        reader.SetPropertyText(c.name, c.text);
        EXPECT_TRUE(c.check(k)) << c.name << " " << c.text;
    }
}

template <class E>
std::string ErrorOf(const char* name, const std::string& text) {
    TAllKinds k;
    TNodeXMLRTTI reader;
    reader.SetRTTIObject(&k);
    try {
        reader.SetPropertyText(name, text);
    } catch (const E& e) {
        return e.what();
    }
    return "no error";
}

TEST(XMLReader, ConversionErrorsNameTheValue) {
    using rb::EConvertError;
    using rb::EPropertyConvertError;
    EXPECT_EQ(ErrorOf<EConvertError>("SMALL", "256"),
              "'256' is out of range for property SMALL (0..255)");
    EXPECT_EQ(ErrorOf<EConvertError>("TINY", "-129"),
              "'-129' is out of range for property TINY (-128..127)");
    EXPECT_EQ(ErrorOf<EConvertError>("UNSIGNED", "4294967296"),
              "'4294967296' is out of range for property UNSIGNED (-2147483648..4294967295)");
    EXPECT_EQ(ErrorOf<EConvertError>("UNSIGNED", "-2147483649"),
              "'-2147483649' is out of range for property UNSIGNED (-2147483648..4294967295)");
    EXPECT_EQ(ErrorOf<EConvertError>("LETTER", "-1"),
              "'-1' is out of range for property LETTER (0..255)");
    EXPECT_EQ(ErrorOf<EConvertError>("SIGNED", "abc"),
              "'abc' is not a valid integer value for property SIGNED");
    EXPECT_EQ(ErrorOf<EConvertError>("SIGNED", "1.5"),
              "'1.5' is not a valid integer value for property SIGNED");
    EXPECT_EQ(ErrorOf<EConvertError>("WORD", ""),
              "'' is not a valid integer value for property WORD");
    EXPECT_EQ(ErrorOf<EConvertError>("BIG", "9223372036854775808"),
              "'9223372036854775808' is not a valid integer value for property BIG");
    EXPECT_EQ(ErrorOf<EConvertError>("SIGNED", std::string(100, '9')),
              "'" + std::string(64, '9') + "...' is not a valid integer value for property SIGNED");
    EXPECT_EQ(ErrorOf<EPropertyConvertError>("HUE", "Purple"), "Invalid property element: Purple");
    EXPECT_EQ(ErrorOf<EPropertyConvertError>("HUE", ""), "Invalid property element: ");
    EXPECT_EQ(ErrorOf<EPropertyConvertError>("FLAG", "1"), "Invalid property element: 1");
    EXPECT_EQ(ErrorOf<EPropertyConvertError>("PALETTE", "Red,Purple"),
              "Invalid property element: Purple");
}

TEST(XMLReader, AFailedValueStopsTheReadAndKeepsWhatCameBefore) {
    TAllKinds k;
    k.Word = 1;
    EXPECT_THROW(Read(k, "<X>\r\n <SIGNED>5</SIGNED>\r\n <SMALL>999</SMALL>\r\n"
                         " <WORD>3</WORD>\r\n</X>"),
                 rb::EConvertError);
    EXPECT_EQ(k.Signed, 5);
    EXPECT_EQ(k.Word, 1);
}

TEST(XMLReader, TopElementNameAndUnknownElementsDoNotMatter) {
    TAllKinds k;
    k.Small = 9;
    Read(k, "<Whatever TYPE=\"TSomethingElse\"><UNKNOWN>1</UNKNOWN><signed>4</signed>"
            "<leaf><number>8</number></leaf><MISSING TYPE=\"TLeaf\"><TEXT>x</TEXT></MISSING>"
            "<SIGNED>5</SIGNED></Whatever>");
    EXPECT_EQ(k.Signed, 4);  // the first element of a name counts
    EXPECT_EQ(k.Small, 9);   // no element: the value stays
    EXPECT_EQ(k.Leaf->Number, 8);
    EXPECT_EQ(k.Missing, nullptr);
}

void AddThing(TThings& things, const std::string& name, std::initializer_list<const char*> words) {
    TThing& thing = things.AddItem<TThing>();
    thing.Name = name;
    thing.Size = static_cast<uint32_t>(things.Count()) * 1000000000u;
    for (const char* w : words) thing.Words->AddItem<TWord>().Value = w;
}

TEST(XMLReader, DocumentRoundTrip) {
    TNodeXMLRTTI writer;
    TDocument doc(&writer);
    doc.Title = "  trimmed away  ";
    doc.Version = 3;
    TAllKinds& k = *doc.Kinds;
    k.Signed = -5;
    k.Unsigned = 3000000000u;  // written negative, read back modulo 2^32
    k.Letter = '<';
    k.Hue = Colour::Green;
    k.Flag = true;
    k.Palette = {Colour::Red, Colour::Green, Colour::Blue};
    k.Big = -1234567890123LL;
    k.Text = "x & <y> \"z\" é";
    k.Leaf->Text = "leaf";
    doc.Things->Title = "list";
    AddThing(*doc.Things, "a", {"x", "y"});
    AddThing(*doc.Things, "b & c", {});
    AddThing(*doc.Things, "", {"z"});
    const std::string text = doc.WriteXML("Doc");

    TNodeXMLRTTI reader;
    TDocument back(&reader);
    AddThing(*back.Things, "stale", {});
    back.ReadXML("Doc", text);
    EXPECT_EQ(back.Title, "trimmed away");
    back.Title = doc.Title;
    EXPECT_EQ(back.WriteXML("Doc"), text);
    ASSERT_EQ(back.Things->Count(), 3);
    EXPECT_EQ(back.Things->ItemAs<TThing>(1).Name, "b & c");
    EXPECT_EQ(back.Things->ItemAs<TThing>(2).Size, 3000000000u);
    EXPECT_EQ(back.Kinds->Unsigned, 3000000000u);
    EXPECT_EQ(back.Kinds->Missing, nullptr);  // objects are never created for properties
}

TEST(XMLReader, CollectionItemsByNameWithChildrenAndTheItemClass) {
    TThings things;
    AddThing(things, "old", {});
    Read(things,
         "<THINGS TYPE=\"TThings\">\r\n <TITLE>t</TITLE>\r\n"
         "<Thing TYPE=\"TDerivedThing\">\r\n <NAME>a</NAME>\r\n <EXTRA>9</EXTRA>\r\n</Thing>\r\n"
         "<Thing TYPE=\"TThing\" />\r\n"
         "<Thing TYPE=\"TThing\">body only</Thing>\r\n"
         "<thing><NAME>b</NAME></thing>\r\n"
         "<WORDS TYPE=\"TWords\"><Word><VALUE>w</VALUE></Word></WORDS>\r\n"
         "</THINGS>\r\n");
    EXPECT_EQ(things.Title, "t");
    ASSERT_EQ(things.Count(), 2);
    EXPECT_EQ(things.Item(0).ClassName(), "TThing");  // whatever TYPE says
    EXPECT_EQ(things.ItemAs<TThing>(0).Name, "a");
    EXPECT_EQ(things.ItemAs<TThing>(1).Name, "b");

    Read(things, "<THINGS TYPE=\"TThings\">\r\n <TITLE></TITLE>\r\n</THINGS>\r\n");
    EXPECT_EQ(things.Count(), 0);
    EXPECT_EQ(things.Title, "");
}

TEST(XMLReader, ItemFailuresNameTheItemType) {
    const struct {
        const char* type;
        const char* message;
    } cases[] = {
        {" TYPE=\"TOdd\"", "Error Handling class [TOdd]"},
        {" TYPE=\"a b\"", "Error Handling class [a]"},
        {"", "Error Handling class []"},
    };
    for (const auto& c : cases) {
        TThings things;
        try {
            Read(things, std::string("<T><Thing") + c.type +
                             "><NAME>n</NAME><SIZE>x</SIZE></Thing></T>");
            ADD_FAILURE() << "no error";
        } catch (const rb::EConvertError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        ASSERT_EQ(things.Count(), 1);  // the failing item stays, as far as it was read
        EXPECT_EQ(things.ItemAs<TThing>(0).Name, "n");
    }
}

// Reading goes one level down through the element as written out and parsed again; a body
// beside child elements then joins the first child's body. Elements that would not come back
// the same are read that way, all others in place: both give the same result.
TEST(XMLReader, ElementsReadAsIfWrittenOutAndParsedAgain) {
    TAllKinds k;
    Read(k, "<K><LEAF TYPE=\"TLeaf\"><TEXT>1</TEXT>junk</LEAF></K>");
    EXPECT_EQ(k.Leaf->Text, "junk1");
    TThings things;
    Read(things, "<T><Thing TYPE=\"TThing\"><NAME>n</NAME><WORDS><Word><VALUE>v</VALUE></Word>"
                 "after</WORDS></Thing></T>");
    ASSERT_EQ(things.Count(), 1);
    ASSERT_EQ(things.ItemAs<TThing>(0).Words->Count(), 1);
    EXPECT_EQ(things.ItemAs<TThing>(0).Words->ItemAs<TWord>(0).Value, "afterv");
}

TEST(XMLReader, TwentyThousandItemsRoundTripInLinearTime) {
    TNodeXMLRTTI writer;
    TDocument doc(&writer);
    for (int i = 0; i < 20000; ++i) AddThing(*doc.Things, "item " + std::to_string(i), {"w"});
    const auto start = std::chrono::steady_clock::now();
    const std::string text = doc.WriteXML("Doc");
    TNodeXMLRTTI reader;
    TDocument back(&reader);
    back.ReadXML("Doc", text);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(back.Things->Count(), 20000);
    EXPECT_EQ(back.WriteXML("Doc"), text);
    EXPECT_LT(seconds, 10.0);  // about 0.1 s natively; quadratic work would take minutes
}

}  // namespace
}  // namespace xmltest
