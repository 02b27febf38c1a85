// rand: its ranges, its spread and its refusals.
#include "support/BuiltinTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <tuple>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

// Refusals report the first failing check.
TEST(RandomNumbers, DeterministicResultsAndRefusals)
{
    checkCalls({
        // A zero-width range gives its lower end instead of dividing by zero.
        {"rand", {{0, 0}, {0.4, 0}, {1.2, 1.4, 1}, {-7.3, -6.6, -7}, {0.5, 0}}},
    });
    check({
        {"rand", {str("a"), str("b"), str("c")}, 0, "Function 'rand' expects 2 or less parameters."},
        {"rand", {str("a"), num(2)}, 0, "Function 'rand' expects 'Value' parameter 1."},
        {"rand", {num(1), str("b")}, 0, "Function 'rand' expects 'Value' parameter 2."},
        {"rand", {num(5), num(5)}, 0, "Function 'rand' expects first parameter smaller than second."},
    });
}

TEST(RandomNumbers, RandStaysInItsRangeAndReachesAllOfIt)
{
    // A negative bound is a huge unsigned modulus.
    const std::tuple<ValueList, double, double> cases[] = {
        {{num(2.5)}, 0, 2}, {{num(-3), num(2)}, -3, 1}, {{num(1e8)}, 0, 16777215}, {{num(-5)}, 0, 16777215}, {{}, 0, 1},
    };
    for (const auto& [args, low, high] : cases)
    {
        SCOPED_TRACE(std::to_string(low) + ".." + std::to_string(high));
        std::set<double> seen;
        double sum = 0;
        for (int i = 0; i < 3000; ++i)
        {
            const double r = callBuiltinFunction("rand", args, nullptr);
            ASSERT_TRUE(r >= low && r <= high && (args.empty() || r == std::floor(r))) << r;
            seen.insert(r);
            sum += r;
        }
        // Every value of a short range; a wide one spread over the whole scale, not stuck in a corner.
        EXPECT_GE(seen.size(), !args.empty() && high - low < 10 ? static_cast<std::size_t>(high - low + 1) : 2900u);
        EXPECT_NEAR(sum / 3000, (low + high) / 2, (high - low) * 0.05);
    }
}

} // namespace
