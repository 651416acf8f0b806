// The string collection: the list behind error lists, addresses and folders in the XML.
#include "sysinfo/string_collection.h"

#include <gtest/gtest.h>

#include "core/exception.h"

namespace rb {
namespace {

std::vector<std::string> Items(const TStringCollection& c) {
    std::vector<std::string> out;
    for (int i = 0; i < c.Count(); ++i) out.push_back(c.Get(i));
    return out;
}

TEST(StringCollection, CommaTextOfEmptyAndOfOneEmptyItem) {
    TStringCollection c;
    EXPECT_EQ(c.CommaText(), "");
    c.Add("");
    EXPECT_EQ(c.CommaText(), "\"\"");
}

TEST(StringCollection, WritingCommaTextSplitsAsTheFrameworkDoes) {
    TStringCollection c;
    c.SetCommaText("a, b");
    EXPECT_EQ(Items(c), (std::vector<std::string>{"a", "b"}));
    c.SetCommaText("a,");
    EXPECT_EQ(Items(c), (std::vector<std::string>{"a", ""}));
    c.SetCommaText("\"x y\",z");
    EXPECT_EQ(Items(c), (std::vector<std::string>{"x y", "z"}));
    EXPECT_EQ(c.ItemAs<TStringCollectionItem>(1).TheIndex, 1);
}

TEST(StringCollection, CommaTextReadLeavesTheDelimiterAsItWas) {
    TStringCollection c;
    c.SetDelimiter(';');
    c.SetQuoteChar('\'');
    c.Add("a b");
    c.Add("c,d");
    EXPECT_EQ(c.CommaText(), "\"a b\",\"c,d\"");
    EXPECT_EQ(c.Delimiter(), ';');
    EXPECT_EQ(c.DelimitedText(), "'a b';c,d");
    c.SetCommaText("x;y");  // writing switches to comma and double quote for good
    EXPECT_EQ(c.Delimiter(), ',');
    EXPECT_EQ(c.QuoteChar(), '"');
}

TEST(StringCollection, ValuesTakeTheFirstMatchIgnoringCase) {
    TStringCollection c;
    c.Add("a=1");
    c.Add("A=2");
    c.Add("x");
    EXPECT_EQ(c.Values("A"), "1");
    EXPECT_EQ(c.IndexOfName("a"), 0);
    EXPECT_EQ(c.Names(2), "");
    EXPECT_EQ(c.IndexOf("X"), 2);
    EXPECT_EQ(c.IndexOf("missing"), -1);
}

TEST(StringCollection, ItemsKeepTheIndexTheyWereAddedAt) {
    TStringCollection c;
    c.Add("uno");
    c.Add("dos");
    c.Add("tres");
    c.Delete(0);
    EXPECT_EQ(c.ItemAs<TStringCollectionItem>(1).TheIndex, 2);
    EXPECT_EQ(c.GetStrings().Text(), "dos\r\ntres\r\n");
    EXPECT_THROW(c.Get(7), EListError);
}

TEST(StringCollection, AddStringsAppendsOrReplaces) {
    TStringCollection c;
    c.Add("old");
    c.AddStrings(StringList{"n1", "n2"}, false);
    EXPECT_EQ(c.Count(), 3);
    c.AddStrings(StringList{"n3"}, true);
    EXPECT_EQ(Items(c), (std::vector<std::string>{"n3"}));
    EXPECT_EQ(c.ItemAs<TStringCollectionItem>(0).TheIndex, 0);
}

}  // namespace
}  // namespace rb
