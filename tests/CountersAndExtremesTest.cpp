// inc and dec, min and max.
#include "Numeric.h"
#include "support/BuiltinTesting.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

// Refusals report the first failing check.
TEST(CountersAndExtremes, DeterministicResultsAndRefusals)
{
    checkCalls({
        {"inc", {{4, 5, 0, 5}, {5, 5, 0, 0}, {kNaN, 5, 0, 1}, {9, kNaN, 0, 10}}},
        {"dec", {{1, 0, 9, 0}, {0, 0, 9, 9}, {kNaN, 0, 9, 8}}},
        {"min", {{kNaN, 1, kNaN}, {1, kNaN, 0, 0}}},
        {"max", {{2, kNaN, 2}, {1, 5, 3, 5}}},
    });
    check({
        {"dec", {num(1), str("a"), num(0)}, 0, "Function 'dec' expects 'Value' parameter 2."},
        {"min", {}, 0, "Function 'min' expects 1 or more parameters."},
        {"min", {str("a")}, 0, "Function 'min' expects 'Value' parameter 1."},
        {"max", {num(1), num(2), str("x")}, 0, "Function 'max' expects 'Value' parameter."},
    });
    // Of equal values the earlier stays, which shows in the sign of zero.
    EXPECT_TRUE(std::signbit(callBuiltinFunction("min", {num(-0.0), num(0.0)}, nullptr)));
}

} // namespace
