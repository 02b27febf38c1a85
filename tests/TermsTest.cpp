#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

// Every text runs on an editor-sized stack, so the long chains and the deepest nests the parser
// admits show that evaluating and releasing them takes no stack frame per operator.
// clang-format off
TEST(Operators, ArithmeticComparisonLogicAndOrder)
{
    expectOutcomes({
        {"2 * 3 + 4", 10}, {"2 - 7", -5}, {"1/0", INFINITY}, {"0/0", NAN}, {"5 % 0", NAN}, {"7 % -3", 1},
        {"-7 % 3", -1}, {"2^10", 1024}, {"(-8)^(1/3)", NAN},
        // An undefined left operand counts as absent: a sum gives the right operand, a difference its negation.
        {"(x) + 3", 3}, {"5 + (1/0)", INFINITY}, {"(x) - 3", -3}, {"(-1/0) - -2", 2}, {"(0/0) - (1/0)", -INFINITY},
        // Only equality has a tolerance, and a difference of 1e-13 is already outside it.
        {"0.1 + 0.2 == 0.3", 1}, {"1 == 1 + 1e-12", 0}, {"1e-13 == 0", 0}, {"1e-13 != 0", 1}, {"1 + 1e-14 > 1", 1},
        {"x == x", 0}, {"x != x", 1}, {"(1/0) == (1/0)", 1}, {"(1/0) == (-1/0)", 0}, {"x <= x", 0}, {"2 >= 2", 1},
        {"1 < 2", 1}, {"3 != 3", 0},
        // NaN counts as true for the logic operators.
        {"x && 1", 1}, {"x || 0", 1}, {"!x", 0}, {"0 || 1e-14", 0}, {"1 && 1e-13", 1}, {"!1e-14", 1},
        {"!'abc'", 0}, {"y = 5; -y", -5}, {"y = 0; !y", 1},
        // The right operand first, and both always.
        {"(a = 1) + (a = 2); a", 1}, {"(c = 0) && (b = 1); b", 1}, {"(d = 1) || (e = 1); e", 1},
        {"(n = 1) + (n = 2) + (n = 3) + (n = 4); n", 1}, {"(m = 5) - (m = 2) * (m = 3) - (m = 1); m", 5},
        // An assignment gives the value assigned; a string assigns NaN; names keep their case.
        {"x = y = 3; 10 * x + y", 33}, {"s = 'text'", NAN}, {"s = 'text'; s", NAN},
        {"a = 1; A = 2; a = 3; 10 * a + A", 32},
        // Chains of a hundred thousand terms, a pasted column among them, and the deepest nests.
        {"1" + repeat("+1", 99999), 100000}, {"1" + repeat("\n+ 1", 99999), 100000},
        {"0" + repeat("-1", 99999), -99999}, {"1" + repeat("+2*3", 99999), 599995},
        {"x = 0; (x)" + repeat("+(x = 1)", 99999), 100000},
        {repeat("1 + (", 299) + "1" + repeat(")", 299), 300},
        {repeat("-(2 * ", 149) + "1" + repeat(")", 149), -0x1p149},
        {repeat("1 + exec(", 255) + "1" + repeat(")", 255), 256},
    });
}
// clang-format on

} // namespace
