// hex, bin and chr.
#include "support/BuiltinTesting.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;
using namespace std::string_literals;

// Refusals report the first failing check.
TEST(TextToNumber, DeterministicResultsAndRefusals)
{
    // clang-format off
    check({
        {"hex", {str("")}, 0}, {"hex", {str("FFFFFFFF")}, 4294967295.0},
        {"hex", {str("123456789")}, 0x23456789}, {"hex", {str("aBcDeF09")}, 0xABCDEF09}, {"hex", {str("ff")}, 255},
        {"hex", {str("cafe")}, 51966}, {"bin", {str("101")}, 5}, {"bin", {str("1" + std::string(32, '0'))}, 0},
        {"chr", {str("AB")}, 16706}, {"chr", {str("ABCDE")}, 1111704645}, {"chr", {str("\xC3\xA9")}, 50089},
        {"chr", {str("\0A"s)}, 65},
        {"hex", {str("0x1F")}, 0, "Function 'hex' has invalid characters."},
        {"hex", {str("f\0f"s)}, 0, "Function 'hex' has invalid characters."},
        {"bin", {str("102")}, 0, "Function 'bin' has invalid characters."},
    });
    // clang-format on
}

} // namespace
