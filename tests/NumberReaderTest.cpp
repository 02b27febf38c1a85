#include "NumberReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>

using namespace Morvantis::ExpressionUtils;

namespace
{

TEST(NumberReader, FormsAndWhereTheyStop)
{
    // text, value (NaN: any NaN), bytes read
    // clang-format off
    const std::tuple<const char*, double, int> cases[] = {
        {"0b101", 5, 5}, {"0B111111111111111111111111111111111", 4294967295.0, 35}, // only the last 32 digits count
        {"0b2", 0, 2}, {"0X1f", 31, 4}, {"0x1.8p1", 3, 7}, {"0xg", 0, 1}, {"1e+", 1, 1}, {"2.5E-1", 0.25, 6},
        {".5", 0.5, 2}, {"1e400", INFINITY, 5}, {"1e-400", 0, 6}, {"0x1p99999", INFINITY, 9},
        {"4.9406564584124654e-324", 4.9406564584124654e-324, 23}, {"Infinity", INFINITY, 8}, {"infinit", INFINITY, 3},
        {"NaN(abc_1)x", NAN, 10}, {"x", NAN, 0}, {".", NAN, 0}, {"", NAN, 0},
    };
    // clang-format on
    for (const auto& [text, expected, read] : cases)
    {
        const char* end = nullptr;
        const double value = parseNumber(text, &end);
        EXPECT_EQ(end - text, read);
        EXPECT_TRUE(std::isnan(expected) ? std::isnan(value) : value == expected) << value;
    }
    EXPECT_TRUE(std::isnan(parseNumber(nullptr, nullptr)));
}

// Short plain decimals take a quicker path than the rest; both must agree with
// strtod in the "C" locale on value and stop byte.
TEST(NumberReader, AgreesWithStrtodOnGeneratedNumbers)
{
    std::mt19937 random(20261206);
    const std::string alphabet = "0123456789012345678901234567890123456789..eE+-x";
    for (int i = 0; i < 200000; ++i)
    {
        std::string text(1 + random() % 24, '0');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        text[0] = alphabet[random() % 11];
        const char* end = nullptr;
        const double value = parseNumber(text.c_str(), &end);
        char* expectedEnd = nullptr;
        const double expected = std::strtod(text.c_str(), &expectedEnd);
        ASSERT_EQ(end, expectedEnd) << text;
        ASSERT_TRUE(end == text.c_str() || value == expected) << text << ": " << value << " instead of " << expected;
    }
}

} // namespace
