#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

std::string nested(const std::string& call, int calls, const std::string& innermost)
{
    return repeat(call + "(", calls) + innermost + repeat(")", calls);
}

// clang-format off
TEST(Calls, ControlFunctionsAndTheirLimits)
{
    const std::string tooDeep = "Recursive symbol references";
    expectOutcomes({
        // if: a NaN condition takes the first branch.
        {"IF(1, 2)", 2}, {"if(0, 2)", 0}, {"if(0.0000005, 2, 3)", 3}, {"if(-0.000001, 2, 3)", 2}, {"if(x, 2, 3)", 2},
        {"if(1, x = 5, y = 6); 10 * x + exists(y)", 50}, // only the branch taken
        {"if(1)", 0, "Function 'if' expects 2 or 3 parameters."},
        {"If(1,2,3,4)", 0, "Function 'if' expects 2 or 3 parameters."},
        // for(init, condition, step, body): the condition, then the body, then the step.
        {"for(i = 0, i < 3, i = i + 1, i)", 2}, {"for(i = 0, i < 3, i = i + 1, i); i", 3},
        {"for(i = 0, i < 99, i = i + 1, i)", 98},
        {"for(i = 0, i < 100, i = i + 1, i)", 0, "Function 'for' exceeded limit."},
        {"for(i = 0, 3000000000, i = i + 1, 1); i", 0}, {"for(i = 0, undefined, i = i + 1, 1); i", 0},
        {"for(i = 0, 0.4, i = i + 1, 1); i", 0},
        {"for(i = 0, 1 - i * 0.5, i = i + 1, i); i", 2}, // 0.5 rounds away from zero
        {"for(1, 2, 3)", 0, "Function 'for' expects 4 parameters."},
        {"exec()", 0}, {"EXEC(x = 1, x + 1)", 2}, {"Foo()", 0, "Unknown function 'Foo'."},
        {"sin('1')", 0, "Function 'sin' expects 'Value' parameter 1."}, // a built-in of one number checks its type
        // 257 nested calls are the limit, for the control functions and the built-ins alike.
        {nested("exec", 256, "x"), NAN}, {nested("exec", 257, "1"), 1}, {nested("exec", 257, "x"), 0, tooDeep},
        {nested("abs", 257, "x"), 0, tooDeep}, {nested("exec", 257, "x = 1"), 0, tooDeep},
        {repeat("max(1, ", 257) + "x" + repeat(")", 257), 0, tooDeep}, // a built-in of two arguments
        {nested("exec", 258, "1"), 0, tooDeep},
    });
}
// clang-format on

} // namespace
