#include <gtest/gtest.h>

#include "core/exception.h"
#include "core/set.h"

namespace {

enum class Colour { Red, Green, Blue };
const char* const kColourNames[] = {"Red", "Green", "Blue"};
const rb::EnumInfo& DescribeEnum(Colour) {
    static const rb::EnumInfo info{"TColour", kColourNames, 3, "TColours"};
    return info;
}

TEST(SetText, MembersInAscendingOrderWithoutBlanks) {
    const rb::EnumInfo& info = DescribeEnum(Colour{});
    EXPECT_EQ(rb::SetToText(info, 0), "");
    EXPECT_EQ(rb::SetToText(info, 0b101), "Red,Blue");
    EXPECT_EQ(rb::Set<Colour>({Colour::Blue, Colour::Red}).Mask(), 0b101u);
    EXPECT_STREQ(rb::Set<Colour>::TypeName(), "TColours");
}

TEST(SetText, ReadsCommasBlanksBracketsAndAnyCase) {
    const rb::EnumInfo& info = DescribeEnum(Colour{});
    EXPECT_EQ(rb::TextToSet(info, "[blue, RED]"), 0b101u);
    EXPECT_EQ(rb::TextToSet(info, "Green Blue"), 0b110u);
    EXPECT_EQ(rb::TextToSet(info, ""), 0u);
    EXPECT_EQ(rb::TextToSet(info, "[]"), 0u);
}

TEST(SetText, UnknownMemberNamesItself) {
    const rb::EnumInfo& info = DescribeEnum(Colour{});
    try {
        rb::TextToSet(info, "Red,Purple,Blue");
        FAIL() << "no error";
    } catch (const rb::EPropertyConvertError& e) {
        EXPECT_STREQ(e.what(), "Invalid property element: Purple");
    }
    EXPECT_THROW(rb::TextToEnum(info, "Yellow"), rb::EPropertyConvertError);
    EXPECT_EQ(rb::TextToEnum(info, "gReEn"), 1);
}

}  // namespace
