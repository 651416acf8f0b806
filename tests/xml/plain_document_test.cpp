// Reading a document where it lies: which texts are taken in the plain form, and that reading
// them that way gives exactly what reading their parsed tree gives.
#include <gtest/gtest.h>

#include "core/exception.h"
#include "document_filler.h"
#include "xml/node_xml_rtti.h"
#include "xml/plain_document.h"
#include "xml/sys_info_xml.h"
#include "xml/xml_node_tree.h"
#include "xml_test_classes.h"

namespace xmltest {
namespace {

using rb::PlainDocument;
using rb::TNodeXMLRTTI;

// What reading gave: the object written out again, or the error raised.
struct Outcome {
    std::string written;
    std::string error;
};

Outcome ReadWith(std::string_view text, bool throughTree) {
    TNodeXMLRTTI writer;
    TDocument doc(&writer);
    doc.Title = "kept";
    doc.Things->AddItem<TThing>().Name = "stale";
    Outcome outcome;
    try {
        if (throughTree) {
            rb::TXMLNode tree;
            tree.SetShortTags(true);
            tree.SetXML(text);
            writer.SetRTTIObject(&doc);
            writer.SetTagName("Doc");
            writer.ReadNode(tree);
        } else {
            doc.ReadXML("Doc", text);
        }
    } catch (const std::exception& e) {
        outcome.error = e.what();
    }
    outcome.written = doc.WriteXML("Doc");
    return outcome;
}

std::string WrittenDocument() {
    TNodeXMLRTTI writer;
    TDocument doc(&writer);
    doc.Title = "t & <u>";
    doc.Version = 7;
    doc.Kinds->Text = "line\r\nnext";
    doc.Kinds->Leaf->Text = "leaf";
    doc.Kinds->Palette = {Colour::Red, Colour::Blue};
    TThing& a = doc.Things->AddItem<TThing>();
    a.Name = "a";
    a.Words->AddItem<TWord>().Value = "w";
    doc.Things->AddItem<TThing>().Name = "";
    return doc.WriteXML("Doc");
}

std::string Edited(std::string text, const std::string& what, const std::string& with) {
    const size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}

TEST(PlainDocument, TakesWhatTheWritersWrite) {
    rb::TXMLSysInfo inventory;
    rb::FillDocument(inventory, rb::MediaItems::DeviceClasses);
    const std::string text = inventory.SaveXML();
    PlainDocument plain;
    ASSERT_TRUE(plain.Scan(text));
    EXPECT_EQ(plain.Root().Tag(), "InfoSistema");
    EXPECT_EQ(plain.Root().Attribute("type"), "TXMLSysInfo");
    EXPECT_TRUE(plain.Scan(WrittenDocument()));
}

// Each text is read both ways; `plain` says which way the reader takes it.
TEST(PlainDocument, ReadsExactlyAsTheTree) {
    const std::string written = WrittenDocument();
    const struct {
        const char* name;
        std::string text;
        bool plain;
    } cases[] = {
        {"as written", written, true},
        {"blanks around", "\r\n  " + written + " \t\r\n", true},
        {"lower-case names", Edited(written, "<TITLE>", "<title>"), false},  // end tag differs
        {"lower-case element", Edited(Edited(written, "<TITLE>", "<title>"), "</TITLE>", "</title>"),
         true},
        {"second of a name ignored",
         Edited(written, " <VERSION>", " <TITLE>other</TITLE>\r\n <VERSION>"), true},
        {"order reversed", "<Doc><VERSION>3</VERSION><TITLE>x</TITLE></Doc>", true},
        {"value with children",
         "<Doc><TITLE><B TYPE=\"x\"><C>1</C></B><D></D></TITLE></Doc>", true},
        {"empty collection", "<Doc><THINGS TYPE=\"TThings\">\r\n</THINGS></Doc>", true},
        {"empty object", "<Doc><KINDS TYPE=\"TAllKinds\"></KINDS></Doc>", true},
        {"derived item",
         "<Doc><THINGS><Thing TYPE=\"TDerivedThing\"><EXTRA>4</EXTRA></Thing></THINGS></Doc>", true},
        {"unknown item type",
         "<Doc><THINGS><Thing TYPE=\"TNope\"><NAME>n</NAME></Thing></THINGS></Doc>", true},
        {"bad number", Edited(written, "<VERSION>7<", "<VERSION>x<"), true},
        {"bad item value",
         "<Doc><THINGS><Thing TYPE=\"T\"><SIZE>-</SIZE></Thing></THINGS></Doc>", true},
        {"entities", "<Doc><TITLE>&amp;lt;&lt;&gt;&amp;&quot;</TITLE></Doc>", true},
        {"attribute values", "<Doc A=\"x=y\"  B=\"\" ><TITLE>t</TITLE></Doc>", true},
        {"declaration", "<?xml version=\"1.0\"?>\r\n" + written, false},
        {"short tag", Edited(written, "<TITLE>t &amp; &lt;u&gt;</TITLE>", "<TITLE />"), false},
        {"end tag of another name", Edited(written, "</TITLE>", "</VERSION>"), false},
        {"text beside children", Edited(written, "<VERSION>", "junk<VERSION>"), false},
        {"markup in a value", Edited(written, "<VERSION>7<", "<VERSION>7><"), false},
        {"tab in a tag", Edited(written, "<VERSION>", "<VERSION\t>"), false},
        {"piece without a name", "<Doc x><TITLE>t</TITLE></Doc>", false},
        {"index form", "<Doc><KINDS INDEX=\"1\" STRING=\"ab\"><TEXT>t</TEXT></KINDS></Doc>", false},
        {"two top elements", "<Doc></Doc><Doc><TITLE>t</TITLE></Doc>", false},
        {"unterminated", written.substr(0, written.size() / 2), false},
        {"stray end tag", written + "</Doc>", false},
        {"empty", "", false},
        {"text only", "just text", false},
    };
    for (const auto& c : cases) {
        PlainDocument plain;
        EXPECT_EQ(plain.Scan(c.text), c.plain) << c.name;
        const Outcome direct = ReadWith(c.text, false);
        const Outcome tree = ReadWith(c.text, true);
        EXPECT_EQ(direct.error, tree.error) << c.name;
        EXPECT_EQ(direct.written, tree.written) << c.name;
    }
}

// Names and values are passed eight bytes at a time: a byte that breaks the form is found at
// any place in a long run, and end tags are compared to the last byte.
TEST(PlainDocument, FindsTheOffendingByteAnywhereInALongRun) {
    const std::string name = "ABCDEFGHIJKLMNOPQRST";
    for (size_t at = 1; at < name.size(); ++at) {
        for (const char bad : {'/', '\t', '<'}) {
            std::string tag = name;
            tag[at] = bad;
            PlainDocument plain;
            EXPECT_FALSE(plain.Scan("<" + tag + ">v</" + name + ">")) << at << " " << int(bad);
            EXPECT_FALSE(plain.Scan("<" + name + ">v</" + tag + ">")) << at << " " << int(bad);
        }
        std::string value(40, 'v');
        value[at] = '>';
        PlainDocument plain;
        EXPECT_FALSE(plain.Scan("<" + name + ">" + value + "</" + name + ">")) << at;
        value[at] = '&';
        ASSERT_TRUE(plain.Scan("<" + name + ">" + value + "</" + name + ">")) << at;
        EXPECT_EQ(plain.Root().Body(), value);
    }
}

// The parts of each element, as the tree would hold them.
TEST(PlainDocument, ElementsMatchTheTree) {
    const std::string text =
        "<A TYPE=\"t\" ID=\"7\"><B>  one two  </B>\r\n<C><D>x</D><E></E></C><B>2</B></A>";
    PlainDocument plain;
    ASSERT_TRUE(plain.Scan(text));
    rb::TXMLNode tree;
    tree.SetXML(text);
    struct Walk {
        static void Same(rb::PlainElement p, const rb::TXMLNode& n) {
            EXPECT_EQ(p.Tag(), n.Tag());
            EXPECT_EQ(p.Body(), n.Body());
            EXPECT_EQ(p.Attribute("id"), n.Properties().Values("ID"));
            EXPECT_EQ(p.StoredValue(), n.StoredValue());
            ASSERT_EQ(p.ChildCount(), n.ChildCount());
            const rb::TXMLNode* c = n.FirstChild();
            for (rb::PlainElement e = p.FirstChild(); e; e = e.NextSibling(), c = c->NextSibling()) {
                Same(e, *c);
            }
        }
    };
    Walk::Same(plain.Root(), tree);
    EXPECT_EQ(plain.Root().FirstChild().NextSibling().XML(), "<C><D>x</D><E></E></C>");
}

}  // namespace
}  // namespace xmltest
