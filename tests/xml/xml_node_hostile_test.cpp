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
    EXPECT_LT(Seconds(start), 10.0);
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
    EXPECT_LT(Seconds(start), 10.0);
}

TEST(XMLNodeHostile, UnterminatedAndStrayMarkup) {
    const char* const texts[] = {"<", ">", "</", "/>", "<a", "<a b=", "<a b=\"", "<a/",
                                 "<?", "<!--", "</a></a></a>", "<<<a>>>", "<a>>>>", "<a =\"\">"};
    for (const char* text : texts) {
        TXMLNode node;
        node.SetXML(text);
        TXMLNode again;
        again.SetXML(node.XML());  // whatever came out parses again
        SUCCEED() << text;
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
