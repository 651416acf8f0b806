// Hostile input for the node tree: it must never fail, never exhaust the stack and stay
// linear in the size of the text.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "xml/xml_node_tree.h"

namespace rb {
namespace {

int Depth(const TXMLNode& root) {
    int depth = 1;
    for (const TXMLNode* n = &root; n->ChildCount() > 0; n = &n->Children(0)) ++depth;
    return depth;
}

std::string Repeat(std::string_view piece, size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) out += piece;
    return out;
}

// A generous bound: it only tells linear work (a second or two) from a parser gone quadratic
// (hours), also on a machine busy with other builds.
constexpr double kLinearBound = 60.0;

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

TEST(XMLNodeHostile, HundredThousandNestedOpeningTags) {
    constexpr int kDepth = 100000;
    const auto start = std::chrono::steady_clock::now();
    {
        TXMLNode root;
        root.SetXML(Repeat("<a x=\"1\">", kDepth));
        EXPECT_EQ(Depth(root), kDepth);
        const std::string text = root.XML();  // written and freed without recursion
        EXPECT_EQ(text.size(), (kDepth - 1) * (9 + 6) + 13);
        TXMLNode again;
        again.SetXML(text);
        EXPECT_EQ(Depth(again), kDepth);
        EXPECT_EQ(again.StoredValue().size(), text.size() - 9 - 6);
    }
    {
        TXMLNode closed;
        closed.SetXML(Repeat("<b>", kDepth) + "deep" + Repeat("</b>", kDepth));
        EXPECT_EQ(Depth(closed), kDepth);
        const TXMLNode* deepest = &closed;
        while (deepest->ChildCount() > 0) deepest = &deepest->Children(0);
        EXPECT_EQ(deepest->Body(), "deep");
    }
    EXPECT_LT(Seconds(start), kLinearBound);
}

TEST(XMLNodeHostile, FiftyMegabyteTextRun) {
    const std::string run(50u << 20, 'x');
    const auto start = std::chrono::steady_clock::now();
    TXMLNode node;
    node.SetXML(run);  // data with no element at all
    EXPECT_EQ(node.Tag(), "");
    EXPECT_EQ(node.ChildCount(), 0);
    node.SetXML("<A>" + run + "</A>");
    EXPECT_EQ(node.Body().size(), run.size());
    EXPECT_EQ(node.XML().size(), run.size() + 9);
    node.SetXML("<" + run);  // one unterminated 50 MB tag
    EXPECT_EQ(node.Tag().size(), run.size());
    EXPECT_LT(Seconds(start), kLinearBound);
}

// The tree as one line: tag, attributes in braces, "=body" when there is one, children in
// brackets.
std::string Shape(const TXMLNode& node) {
    std::string out(node.Tag());
    if (node.Properties().Count() > 0) out += "{" + node.Properties().CommaText() + "}";
    if (!node.Body().empty()) out += "=" + std::string(node.Body());
    if (node.ChildCount() > 0) {
        out += "[";
        for (int i = 0; i < node.ChildCount(); ++i) out += (i ? " " : "") + Shape(node.Children(i));
        out += "]";
    }
    return out;
}

TEST(XMLNodeHostile, UnterminatedAndStrayMarkup) {
    // A tag left open runs to the end of the text; "<" and ">" with nothing between them add
    // nothing; closing tags climb one level each and stop at the root; a short tag without a
    // blank ("<b/>") is a child without a name; text is an element's body only once the
    // element is closed, and text before a child's opening tag joins the child's body.
    // Nothing is rejected.
    struct Case {
        const char* text;
        const char* shape;
        const char* xml;  // as written back
    };
    const Case cases[] = {
        {"<", "", ""},
        {">", "", ""},
        {"</", "", ""},
        {"/>", "", ""},
        {"<?", "", ""},
        {"</a></a></a>", "", ""},
        {"<a", "a", "<a />\r\n"},
        {"<<<a>>>", "a", "<a />\r\n"},
        {"<a>>>>", "a", "<a />\r\n"},
        {"<a =\"\">", "a", "<a />\r\n"},
        {"<!--", "!--", "<!-- />\r\n"},
        {"<a b=", "a{b=}", "<a b=\"\" />\r\n"},
        {"<a b=\"", "a{b=}", "<a b=\"\" />\r\n"},
        {"<a/", "[]", "<></>\r\n"},
        {"<a>x<b>y", "a[b]", "<a><b />\r\n</a>\r\n"},
        {"<a><b/></a>tail", "a[]", "<a></a>\r\n"},
        {"<a>hello<b>x</b></a>", "a[b=hellox]", "<a><b>hellox</b>\r\n</a>\r\n"},
        {"<a>x</a>", "a=x", "<a>x</a>\r\n"},
        {"<a>x</a></a>y", "a", "<a />\r\n"},  // the surplus closing tag empties it again
    };
    for (const Case& c : cases) {
        TXMLNode node;
        node.SetXML(c.text);
        EXPECT_EQ(Shape(node), c.shape) << c.text;
        EXPECT_EQ(node.XML(), c.xml) << c.text;
        TXMLNode again;
        again.SetXML(node.XML());  // whatever came out parses again
        EXPECT_EQ(again.Parent(), nullptr);
    }
}

// Random strings over the characters that steer the parser, NULs included; every tree must
// have consistent parent links and write out and parse again.
TEST(XMLNodeHostile, RandomMarkupNeverFails) {
    static const char kAlphabet[] = {'<', '>', '/', '?', '=', '"', ' ', 'a', 'B', '\0', '\r', '!'};
    uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string text(next() % 120, ' ');
        for (char& c : text) c = kAlphabet[next() % sizeof kAlphabet];
        TXMLNode node;
        node.SetXML(text);
        std::vector<const TXMLNode*> pending{&node};
        while (!pending.empty()) {
            const TXMLNode* n = pending.back();
            pending.pop_back();
            for (int i = 0; i < n->ChildCount(); ++i) {
                ASSERT_EQ(n->Children(i).Parent(), n);
                pending.push_back(&n->Children(i));
            }
        }
        TXMLNode again;
        again.SetXML(node.XML() + node.StoredValue());
    }
}

}  // namespace
}  // namespace rb
