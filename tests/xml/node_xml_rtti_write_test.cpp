// The property-driven writer: binding, the exact text layout, value texts per kind, nested
// objects, collections and the errors it raises.
#include <gtest/gtest.h>

#include <functional>

#include "core/exception.h"
#include "xml/node_xml_rtti.h"
#include "xml_test_classes.h"

namespace xmltest {
namespace {

using rb::TNodeXMLRTTI;
using rb::TypeKind;

std::string Written(rb::Persistent* object, const std::string& tag = "") {
    TNodeXMLRTTI writer;
    writer.SetTagName(tag);
    writer.SetRTTIObject(object);
    return writer.XML();
}

TEST(XMLWriter, ExactLayoutOfEveryKindAndANestedObject) {
    TAllKinds k;
    k.Signed = -5;
    k.Tiny = -128;
    k.Small = 255;
    k.Short = -32768;
    k.Word = 65535;
    k.Unsigned = 4294967295u;
    k.Letter = ',';
    k.Hue = Colour::Blue;
    k.Flag = true;
    k.Palette = {Colour::Blue, Colour::Red};
    k.Big = INT64_MIN;
    k.Text = "a<b>&c";
    k.Leaf->Text = "in";
    k.Leaf->Number = 7;
    EXPECT_EQ(Written(&k),
              "<AllKinds TYPE=\"TAllKinds\">\r\n"
              " <SIGNED>-5</SIGNED>\r\n"
              " <TINY>-128</TINY>\r\n"
              " <SMALL>255</SMALL>\r\n"
              " <SHORT>-32768</SHORT>\r\n"
              " <WORD>65535</WORD>\r\n"
              " <UNSIGNED>-1</UNSIGNED>\r\n"
              " <LETTER>44</LETTER>\r\n"
              " <HUE>Blue</HUE>\r\n"
              " <FLAG>True</FLAG>\r\n"
              " <PALETTE>Red,Blue</PALETTE>\r\n"
              " <BIG>-9223372036854775808</BIG>\r\n"
              " <TEXT>a&lt;b&gt;&amp;c</TEXT>\r\n"
              "<LEAF TYPE=\"TLeaf\">\r\n"
              " <TEXT>in</TEXT>\r\n"
              " <NUMBER>7</NUMBER>\r\n"
              "</LEAF>\r\n"
              "</AllKinds>\r\n");
}

TEST(XMLWriter, PropertyTextPerKind) {
    struct Case {
        void (*set)(TAllKinds&);
        const char* name;
        const char* text;
    };
    static const Case cases[] = {
        {[](TAllKinds& k) { k.Unsigned = 2147483647u; }, "UNSIGNED", "2147483647"},
        {[](TAllKinds& k) { k.Unsigned = 2147483648u; }, "UNSIGNED", "-2147483648"},
        {[](TAllKinds& k) { k.Unsigned = 3000000000u; }, "UNSIGNED", "-1294967296"},
        {[](TAllKinds& k) { k.Letter = '\xE9'; }, "LETTER", "233"},
        {[](TAllKinds& k) { k.Palette = {}; }, "PALETTE", ""},
        {[](TAllKinds& k) { k.Text = "\"q\" 'é' \x01"; }, "text", "\"q\" 'é' \x01"},
        {[](TAllKinds&) {}, "LEAF", ""},
    };
    for (const Case& c : cases) {
        TAllKinds k;
        c.set(k);
        TNodeXMLRTTI writer;
        writer.SetRTTIObject(&k);
        EXPECT_EQ(writer.GetPropertyText(c.name), c.text) << c.name;
    }
}

TEST(XMLWriter, EscapingInItsOrder) {
    EXPECT_EQ(rb::XMLEscape("<&>"), "&lt;&amp;&gt;");
    EXPECT_EQ(rb::XMLEscape("&lt;"), "&amp;lt;");
    EXPECT_EQ(rb::XMLUnescape("&lt;&amp;&gt;"), "<&>");
    EXPECT_EQ(rb::XMLUnescape("&amp;lt;"), "&lt;");
    EXPECT_EQ(rb::XMLUnescape("&quot;&#65;&AMP;"), "&quot;&#65;&AMP;");
    for (const char* s : {"", "plain", "<<&&>>", "&amp;&lt;&gt;", "a & b < c > d", "&;&&;"}) {
        EXPECT_EQ(rb::XMLUnescape(rb::XMLEscape(s)), s) << s;
    }
}

// Escaping looks at eight bytes at a time: a special character is found at every position of
// texts of every length around the word size, and bytes that differ from one only in their
// high bit (or with CP1252 letters about) are left alone.
TEST(XMLWriter, EscapingFindsMarkupAtEveryPosition) {
    for (size_t length = 1; length <= 19; ++length) {
        for (size_t at = 0; at < length; ++at) {
            for (const char special : {'&', '<', '>', '\xA6', '\xBC', '\xBE', '\xF1'}) {
                std::string text(length, 'x');
                text[at] = special;
                std::string expected;
                for (const char c : text) {
                    expected += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;"
                                                                             : std::string(1, c);
                }
                EXPECT_EQ(rb::XMLEscape(text), expected) << length << " " << at;
            }
        }
    }
}

TEST(XMLWriter, BindingRecordsPropertiesAndNames) {
    TAllKinds k;
    TNodeXMLRTTI writer;
    writer.SetRTTIObject(&k);
    EXPECT_EQ(writer.TagName(), "AllKinds");
    EXPECT_EQ(writer.TagClassType(), "TAllKinds");
    ASSERT_EQ(writer.PropertyCount(), 14);
    EXPECT_EQ(writer.PropertyNames(11), "TEXT");
    EXPECT_EQ(writer.PropertyKinds(6), TypeKind::tkChar);
    EXPECT_THROW(writer.PropertyNames(14), rb::EListError);
    EXPECT_EQ(writer.ObjectProperty("LEAF"), k.Leaf.get());
    EXPECT_EQ(writer.ObjectProperty("MISSING"), nullptr);
    EXPECT_THROW(writer.GetPropertyText("NOPE"), rb::Exception);

    TLeaf leaf;
    writer.SetRTTIObject(&leaf);  // a tag name once set is kept
    EXPECT_EQ(writer.TagName(), "AllKinds");
    // Binding nil drops the previous object's properties as well.
    writer.SetRTTIObject(nullptr);
    EXPECT_EQ(writer.TagClassType(), "nil");
    EXPECT_EQ(writer.PropertyCount(), 0);
    EXPECT_EQ(Written(nullptr), "<NULL TYPE=\"nil\">\r\n</NULL>\r\n");
    EXPECT_EQ(writer.Schema(), "<Not Supported/>");
}

TEST(XMLWriter, FindTypesFiltersKinds) {
    TAllKinds k;
    TNodeXMLRTTI writer;
    rb::TTypeKinds kinds = writer.FindTypes();
    EXPECT_FALSE(kinds.Contains(TypeKind::tkUnknown));
    EXPECT_TRUE(kinds.Contains(TypeKind::tkDynArray));
    kinds.Exclude(TypeKind::tkClass);
    kinds.Exclude(TypeKind::tkLString);
    writer.SetFindTypes(kinds);
    writer.SetRTTIObject(&k);
    EXPECT_EQ(writer.PropertyCount(), 11);
    const std::string text = writer.XML();
    EXPECT_EQ(text.find("LEAF"), std::string::npos);
    EXPECT_EQ(text.find("TEXT"), std::string::npos);
}

// Objects of one class bound in a row share the recorded properties; the values, the nested
// objects and a change of kinds still follow each binding.
TEST(XMLWriter, RebindingFollowsTheObjectItsClassAndTheKinds) {
    TWord a;
    TWord b;
    a.Value = "a";
    b.Value = "b";
    TThing first;
    TThing second;
    TNodeXMLRTTI writer;
    writer.SetRTTIObject(&a);
    writer.SetRTTIObject(&b);
    EXPECT_EQ(writer.GetPropertyText("VALUE"), "b");
    writer.SetRTTIObject(&first);
    writer.SetRTTIObject(&second);
    EXPECT_EQ(writer.TagClassType(), "TThing");
    EXPECT_EQ(writer.ObjectProperty("WORDS"), second.Words.get());
    const rb::TTypeKinds all = writer.FindTypes();
    rb::TTypeKinds noStrings = all;
    noStrings.Exclude(TypeKind::tkLString);
    writer.SetRTTIObject(&a);
    writer.SetFindTypes(noStrings);
    writer.SetRTTIObject(&b);
    EXPECT_EQ(writer.PropertyCount(), 0);
    writer.SetFindTypes(all);
    writer.SetRTTIObject(&a);
    EXPECT_EQ(writer.PropertyCount(), 1);
    EXPECT_EQ(writer.GetPropertyText("VALUE"), "a");
}

TEST(XMLWriter, ComponentsAreNamedAfterThemselves) {
    TNamed named;
    named.Name = "Main";
    named.Level = 3;
    EXPECT_EQ(Written(&named),
              "<Main TYPE=\"TNamed\">\r\n <NAME>Main</NAME>\r\n <TAG>0</TAG>\r\n"
              " <LEVEL>3</LEVEL>\r\n</Main>\r\n");
    named.Name.clear();
    EXPECT_EQ(Written(&named).substr(0, 6), "<Named");
}

TEST(XMLWriter, StartTagOptions) {
    TLeaf leaf;
    leaf.Text = "in";
    leaf.Number = 7;
    TNodeXMLRTTI writer;
    writer.SetShowType(false);
    writer.SetObjectID("7");
    writer.SetInTagProperties(" number , text");
    writer.SetRTTIObject(&leaf);
    EXPECT_EQ(writer.XML(), "<Leaf ID=\"7\" TEXT=\"in\"  NUMBER=\"7\" >\r\n</Leaf>\r\n");
}

TEST(XMLWriter, CollectionsWriteItemsUnderTheItemClassName) {
    TThings things;
    EXPECT_EQ(Written(&things, "THINGS"),
              "<THINGS TYPE=\"TThings\">\r\n <TITLE></TITLE>\r\n</THINGS>\r\n");
    TThing& plain = things.AddItem<TThing>();
    plain.Name = "p";
    plain.Words->AddItem<TWord>().Value = "w";
    auto derived = std::make_unique<TDerivedThing>();
    derived->Extra = 9;
    things.Append(std::move(derived));
    EXPECT_EQ(Written(&things, "THINGS"),
              "<THINGS TYPE=\"TThings\">\r\n <TITLE></TITLE>\r\n"
              "<Thing TYPE=\"TThing\">\r\n <NAME>p</NAME>\r\n <SIZE>0</SIZE>\r\n"
              "<WORDS TYPE=\"TWords\">\r\n<Word TYPE=\"TWord\">\r\n <VALUE>w</VALUE>\r\n</Word>\r\n"
              "</WORDS>\r\n</Thing>\r\n"
              "<Thing TYPE=\"TDerivedThing\">\r\n <NAME></NAME>\r\n <SIZE>0</SIZE>\r\n"
              "<WORDS TYPE=\"TWords\">\r\n</WORDS>\r\n <EXTRA>9</EXTRA>\r\n</Thing>\r\n"
              "</THINGS>\r\n");
}

template <class E>
std::string ErrorOf(rb::Persistent* object) {
    try {
        Written(object);
    } catch (const E& e) {
        return e.what();
    }
    return "no error";
}

TEST(XMLWriter, NestedFailuresNameTheProperty) {
    TFaultyHolder holder;
    EXPECT_EQ(ErrorOf<rb::EConvertError>(&holder), "Error Outputting for property [INNER]");
    TFaulty faulty;  // at the top level the error is not rewritten
    EXPECT_EQ(ErrorOf<rb::EConvertError>(&faulty), "boom");
}

TEST(XMLWriter, CyclesAreRefusedInsteadOfExhaustingTheStack) {
    TLoop a;
    TLoop b;
    a.Next = &b;
    b.Next = &a;
    TNodeXMLRTTI writer;
    writer.SetRTTIObject(&a);  // binding stops where the cycle closes
    EXPECT_EQ(writer.ObjectProperty("NEXT"), &b);
    EXPECT_EQ(ErrorOf<rb::Exception>(&a), "Error Outputting for property [NEXT]");
    b.Next = nullptr;
    EXPECT_EQ(Written(&a),
              "<Loop TYPE=\"TLoop\">\r\n <N>0</N>\r\n<NEXT TYPE=\"TLoop\">\r\n <N>0</N>\r\n"
              "</NEXT>\r\n</Loop>\r\n");
}

TEST(XMLWriter, AwareObjectsWriteThemselvesOnlyWithAWriter) {
    TNodeXMLRTTI writer;
    TDocument doc(&writer);
    EXPECT_EQ(doc.WriteXML("Doc").substr(0, 24), "<Doc TYPE=\"TDocument\">\r\n");
    TDocument orphan;
    const auto error = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const rb::Exception& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(error([&] { orphan.WriteXML("Doc"); }), "RTTIEnabler not assigned.");
    EXPECT_EQ(error([&] { orphan.ReadXML("Doc", "<Doc/>"); }), "RTTIEnabler not assigned.");
}

}  // namespace
}  // namespace xmltest
