#include "Text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace Morvantis::ExpressionUtils;

namespace
{

TEST(Text, TrimmingTakesSpaceAndNineToThirteenOnly)
{
    std::string text = " \t\n\v\f\r a \xA0 \r\n";
    trimLeft(text);
    EXPECT_EQ(text, "a \xA0 \r\n");
    trimRight(text);
    EXPECT_EQ(text, "a \xA0");
    std::string blank = " \t ";
    trimRight(blank);
    EXPECT_EQ(blank, "");
}

TEST(Text, CompareIgnoreCaseFoldsOnlyAsciiLetters)
{
    const std::tuple<const char*, const char*, int32_t> cases[] = {
        {"Sqrt", "sqrt", 0},         {"AZ", "az", 0},   {"", "", 0},
        {"sqrt", "sqr", -1},         {"abc", "abd", 3}, {"[", "{", 1},
        {"\xC3\x89", "\xC3\xA9", 2}, // no folding beyond ASCII
    };
    for (const auto& [a, b, expected] : cases)
        EXPECT_EQ(compareIgnoreCase(a, b), expected) << a << " " << b;
}

} // namespace
