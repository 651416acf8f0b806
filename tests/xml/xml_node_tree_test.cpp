// The forgiving XML node tree: tokeniser, builder, attributes, writing, navigation.
#include "xml/xml_node_tree.h"

#include <gtest/gtest.h>

#include "core/exception.h"

namespace rb {
namespace {

// Compact picture of a tree: Tag{attributes}'body'[children]; "_" for an empty tag.
std::string Dump(const TXMLNode& node) {
    std::string out(node.Tag().empty() ? "_" : node.Tag());
    const auto& attributes = node.Properties().Lines();
    for (size_t i = 0; i < attributes.size(); ++i) out += (i ? "," : "{") + attributes[i];
    if (!attributes.empty()) out += "}";
    if (!node.Body().empty()) out += "'" + std::string(node.Body()) + "'";
    for (int i = 0; i < node.ChildCount(); ++i) {
        out += (i ? " " : "[") + Dump(node.Children(i));
    }
    if (node.ChildCount() > 0) out += "]";
    return out;
}

std::string Parsed(std::string_view text) {
    TXMLNode node;
    node.SetXML(text);
    return Dump(node);
}

struct ParseCase {
    const char* text;
    const char* tree;
};

const ParseCase kParseCases[] = {
    {"", "_"},
    {"<?xml version=\"1.0\"?>\r\n<A>x</A>", "A'x'"},
    {"<A>hello<B>x</B></A>", "A[B'hellox']"},  // text before a child joins the child's body
    {"<A>\r\n  <B>  v  </B>\r\n</A>\r\n", "A[B'v']"},
    {"<A TYPE=\"a b\">x</A>", "A{TYPE=a}'x'"},
    {"<A><B x=\"1\" y=\"2\" /></A>", "A[B{x=1,y=2}]"},
    {"<A><x=1/></A>", "A[_]"},  // a short tag without a blank has no name
    {"</X><A></A></A><B />", "A[B]"},  // surplus closing tags stay at the top
    {"<A><B><C>c</C><D>d</D>", "A[B[C'c' D'd']]"},  // missing closing tags nest deeper
    {"<A><!-- note --><B>x</B></A>", "A[!--[B'x']]"},  // a comment is an opening tag
    {"<A x=\"1>2\">t</A>", "A{x=1}[2\"'t']"},  // quotes give no protection
    {"<A>x>y</A>", "A[x'y']"},  // a run ended by '>' is a tag whatever came before
    {"<A>text<B", "A[B]"},
    {"<A>text", "A"},
    {"a<b", "b"},
    {"<<<>>>", "_"},
    {"<A><?pi data?><B/></A>", "A[_]"},
    {"<LINE INDEX=\"3\" STRING=\"a b  c\"></LINE>", "LINE{INDEX=3,STRING=a b  c}"},
    {"<LINE index=\"3\" string=\"x\" /></LINE>", "_[LINE{INDEX=3,STRING=x}]"},
    {"<A x=12 y=\"\" =z w \"q\"=\"1\"></A>", "A{x=12,y=,\"q\"=1}"},
    {"<A><B>1</B>tail</A>", "A'tail'[B'1']"},
};

TEST(XMLNodeParse, BuildsTheTreeTheForgivingWay) {
    for (const ParseCase& c : kParseCases) EXPECT_EQ(Parsed(c.text), c.tree) << c.text;
}

TEST(XMLNodeParse, TokeniserNamesRunsByTheirEndAndFlushesByMode) {
    struct Case {
        const char* text;
        const char* runs;
    };
    const Case cases[] = {
        {"<a>x</a>", "T:a D:x T:/a"},
        {"x<y", "D:x T:y"},
        {"<a>x", "T:a D:x"},
        {"a<b<c>", "D:a D:b T:c"},
        {"<>< >", "T: "},
    };
    for (const Case& c : cases) {
        std::string runs;
        TokeniseXML(c.text, [&runs](const TParsePrimative& p) {
            if (!runs.empty()) runs += ' ';
            runs += p.kind == TParsePrimative::TTagPrimative ? "T:" : "D:";
            runs += std::string(p.text);
        });
        EXPECT_EQ(runs, c.runs) << c.text;
    }
}

TEST(XMLNodeParse, AttributeForms) {
    struct Case {
        const char* text;
        const char* lines;
    };
    const Case cases[] = {
        {"  a=\"1\"   b=2  ", "a=1|b=2"},
        {"a=\"x=y\" c", "a=x=y"},
        {"a=\"\"\"", "a=\""},
        {"INDEX=\"0\" STRING=\"two words\"", "INDEX=0|STRING=two words"},
        {"Index=7 String=\"q\"", "INDEX=7|STRING=q"},
        {"INDEX=\"1\"", "INDEX=1"},  // without STRING= the general form applies
    };
    for (const Case& c : cases) {
        StringList list;
        ParseXMLAttributes(c.text, list);
        std::string joined;
        for (const std::string& line : list.Lines()) joined += (joined.empty() ? "" : "|") + line;
        EXPECT_EQ(joined, c.lines) << c.text;
    }
}

TEST(XMLNodeParse, KeepsNulBytesAndEntitiesAsTheyStand) {
    EXPECT_EQ(Parsed(std::string("<A>a\0b &amp;</A>", 16)), std::string("A'a\0b &amp;'", 12));
}

TEST(XMLNodeParse, ParentLinksAndBuildChildren) {
    TXMLNode root;
    root.SetXML("<A><B><C/></B></A>");
    TXMLNode& b = root.Children(0);
    EXPECT_EQ(root.Parent(), nullptr);
    EXPECT_EQ(b.Parent(), &root);
    EXPECT_EQ(b.Children(0).Parent(), &b);
    EXPECT_FALSE(b.BuildChildren());
    b.SetXML("<Z/>");  // nodes made by the parser refuse a new parse
    EXPECT_EQ(Dump(root), "A[B[_]]");
    root.SetXML("<Q>1</Q>");  // the top node re-parses from scratch
    EXPECT_EQ(Dump(root), "Q'1'");
}

// Every node of a tree lives in the top node's store: reaching children in any order, building
// below a child, re-parsing into a child made by hand and re-parsing the top all keep the tree
// right.
TEST(XMLNodeStore, NodesBuiltParsedAndReachedInAnyOrder) {
    TXMLNode root;
    root.SetXML("<A><B>1</B><C>2</C><D>3</D><E>4</E></A>");
    const char* const tags[] = {"E", "B", "D", "C", "C", "E", "B"};  // backwards and forwards
    const int indexes[] = {3, 0, 2, 1, 1, 3, 0};
    for (size_t i = 0; i < std::size(indexes); ++i) {
        EXPECT_EQ(root.Children(indexes[i]).Tag(), tags[i]) << i;
    }
    std::string walked;
    for (const TXMLNode* c = root.FirstChild(); c; c = c->NextSibling()) walked += c->Body();
    EXPECT_EQ(walked, "1234");

    TXMLNode& added = root.Children(1).AddChild();  // a child made by hand keeps BuildChildren
    added.SetTag("X");
    added.AddChild().SetTag("Y");
    EXPECT_EQ(Dump(root), "A[B'1' C'2'[X[Y]] D'3' E'4']");
    added.SetXML("<N k=\"v\">n</N>");  // replaces its own children only
    EXPECT_EQ(Dump(root), "A[B'1' C'2'[N{k=v}'n'] D'3' E'4']");
    EXPECT_EQ(added.Parent(), &root.Children(1));

    root.SetXML(root.Children(2).XML());  // the text is copied out before the tree goes
    EXPECT_EQ(Dump(root), "D'3'");
    root.SetTag("T");
    root.SetBody(std::string(100000, 'b'));  // a long text gets room of its own
    EXPECT_EQ(root.Body().size(), 100000u);
    EXPECT_EQ(root.Tag(), "T");
}

TEST(XMLNodeWrite, ShortAndLongFormsAndAttributes) {
    TXMLNode node;
    node.SetTag("T");
    EXPECT_EQ(node.XML(), "<T />\r\n");
    node.SetShortTags(false);
    EXPECT_EQ(node.XML(), "<T></T>\r\n");
    node.Properties().Add("a=1");
    node.Properties().Add("b=");
    EXPECT_EQ(node.XML(), "<T a=\"1\" b=\"\"></T>\r\n");
    node.SetShortTags(true);
    EXPECT_EQ(node.XML(), "<T a=\"1\" b=\"\" />\r\n");
    node.SetBody("x");
    EXPECT_EQ(node.XML(), "<T a=\"1\" b=\"\">x</T>\r\n");

    TXMLNode blank;
    blank.SetTag(" ");
    EXPECT_EQ(blank.XML(), "");  // a nameless empty element writes nothing
    blank.SetShortTags(false);
    EXPECT_EQ(blank.XML(), "< ></ >\r\n");
}

TEST(XMLNodeWrite, ChildrenFollowTheBodyAndOnlyClosingTagsBreakLines) {
    TXMLNode root;
    root.SetTag("A");
    root.SetBody("b");
    TXMLNode& child = root.AddChild();
    child.SetTag("C");
    child.AddChild().SetTag("D");
    EXPECT_EQ(root.XML(), "<A>b<C><D />\r\n</C>\r\n</A>\r\n");
    EXPECT_EQ(root.StoredValue(), "b<C><D />\r\n</C>\r\n");
    // A body beside children joins the first child's body when parsed again.
    TXMLNode again;
    again.SetXML(root.XML());
    EXPECT_EQ(Dump(again), "A[C[D]]");
    again.SetXML("<A>b<C>c</C></A>");
    EXPECT_EQ(Dump(again), "A[C'bc']");
}

TEST(XMLNodeWrite, RoundTripOfTreesWithoutBodyBesideChildren) {
    const char* const docs[] = {
        "<InfoSistema TYPE=\"TXMLSysInfo\">\r\n <TERMINALNAME></TERMINALNAME>\r\n"
        "<SYSTEMINFO TYPE=\"TMSystemInfo\">\r\n <NAME>x &amp; y</NAME>\r\n</SYSTEMINFO>\r\n"
        "</InfoSistema>\r\n",
        "<a><b x=\"1\"/><c><d>q</d><e /></c></a>",
        "<a k=\"v\"/>",
    };
    for (const char* doc : docs) {
        TXMLNode first;
        first.SetXML(doc);
        TXMLNode second;
        second.SetXML(first.XML());
        EXPECT_EQ(Dump(second), Dump(first)) << doc;
        EXPECT_EQ(second.XML(), first.XML()) << doc;
    }
}

TEST(XMLNodeNavigate, IndexOfChildIgnoresCaseAndChildrenChecksBounds) {
    TXMLNode root;
    root.SetXML("<R><cpu /><CPU>2</CPU><Ñu /></R>");
    EXPECT_EQ(root.IndexOfChild("CPU"), 0);
    EXPECT_EQ(root.IndexOfChild("cpu"), 0);
    EXPECT_EQ(root.IndexOfChild("ñU"), 2);
    EXPECT_EQ(root.IndexOfChild("GPU"), -1);
    EXPECT_EQ(root.ChildCount(), 3);
    EXPECT_THROW(root.Children(3), EListError);
    EXPECT_THROW(root.Children(-1), EListError);

    root.SetShortTags(false);
    TXMLNode& added = root.AddChild();
    EXPECT_FALSE(added.ShortTags());
    EXPECT_TRUE(added.BuildChildren());
    EXPECT_EQ(added.Parent(), &root);

    SetStrProp(root, "XML", "<A>1</A>");  // the published table reaches the same members
    EXPECT_EQ(GetStrProp(root, "StoredValue"), "1");
    EXPECT_EQ(GetObjectProp(root, "Parent"), nullptr);
}

}  // namespace
}  // namespace rb
