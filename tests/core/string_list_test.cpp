// String lists and delimited text: these rules decide how lists such as IP addresses are read.
#include <gtest/gtest.h>

#include "core/delimited.h"
#include "core/exception.h"
#include "core/string_list.h"

namespace rb {
namespace {

using Items = std::vector<std::string>;

TEST(DelimitedText, ParsesBlanksQuotesAndTrailingDelimiters) {
    struct Case {
        const char* text;
        Items items;
    };
    const Case cases[] = {
        {"a, b", {"a", "b"}},
        {"a,", {"a", ""}},
        {"\"x y\",z", {"x y", "z"}},
        {"\"say \"\"hi\"\"\",2", {"say \"hi\"", "2"}},
        {"a b", {"a", "b"}},
        {",a", {"", "a"}},
        {"  ", {}},
        {"", {}},
        {"\"unterminated", {"unterminated"}},
        {"192.168.0.1,10.0.0.2", {"192.168.0.1", "10.0.0.2"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDelimited(c.text, ',', '"'), c.items) << c.text;
    }
    EXPECT_EQ(ParseDelimited(std::string("a,b\0,c", 6), ',', '"'), (Items{"a", "b"}));
}

TEST(DelimitedText, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(ComposeDelimited({}, ',', '"'), "");
    EXPECT_EQ(ComposeDelimited({""}, ',', '"'), "\"\"");
    EXPECT_EQ(ComposeDelimited({"a", "", "b"}, ',', '"'), "a,,b");
    EXPECT_EQ(ComposeDelimited({"x y", "a,b", "q\"", "ñ"}, ',', '"'),
              "\"x y\",\"a,b\",\"q\"\"\",ñ");
    EXPECT_EQ(ComposeDelimited({"a;b", "c"}, ';', '\''), "'a;b';c");
}

TEST(DelimitedText, RoundTripsAnyItems) {
    const Items items = {"plain", "with blank", "co,mma", "\"quoted\"", "tab\there", "Año"};
    EXPECT_EQ(ParseDelimited(ComposeDelimited(items, ',', '"'), ',', '"'), items);
}

TEST(StringList, NameValueOperationsIgnoreCaseAndTakeTheFirstMatch) {
    StringList l{"a=1", "A=2", "plain", "b=x=y"};
    EXPECT_EQ(l.Values("A"), "1");
    EXPECT_EQ(l.Values("b"), "x=y");
    EXPECT_EQ(l.Values("plain"), "");
    EXPECT_EQ(l.Names(2), "");
    EXPECT_EQ(l.IndexOf("PLAIN"), 2);
    l.SetValue("b", "");
    EXPECT_EQ(l.IndexOfName("b"), -1);
    l.SetValue("c", "3");
    EXPECT_EQ(l[l.Count() - 1], "c=3");
    EXPECT_THROW(l[99], EListError);
}

TEST(StringList, TextSplitsAtAnyLineBreakAndJoinsWithCrLf) {
    StringList l;
    l.SetText("uno\r\ndos\nel tres\rcuatro");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l.Text(), "uno\r\ndos\r\nel tres\r\ncuatro\r\n");
    l.SetCommaText("a, \"b c\"");
    EXPECT_EQ(l.CommaText(), "a,\"b c\"");
}

}  // namespace
}  // namespace rb
