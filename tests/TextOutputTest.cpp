// print and clear.
#include "Numeric.h"
#include "support/BuiltinTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;
using namespace std::string_literals;

TEST(TextOutput, PrintAppendsPercentFTextAndClearEmpties)
{
    check({
        {"print", {}, 0, {}, kUntouched},
        {"print", {num(2.5), str("x")}, 0, {}, kUntouched + "2.5\nx\n"s},
        {"print", {num(-1e-7), num(100)}, 0, {}, kUntouched + "-0\n100\n"s},
        {"print", {num(kInf), num(-kInf), num(kNaN), num(-kNaN)}, 0, {}, kUntouched + "inf\n-inf\nnan\n-nan\n"s},
        {"print", {str(""), str("a\0b"s)}, 0, {}, kUntouched + "\na\0b\n"s},
        {"clear", {}, 0, {}, ""},
        // A refused clear leaves the text output as it was.
        {"clear", {num(1)}, 0, "Function 'clear' expects 0 parameters."},
    });
    // Against the C runtime's own "%f" over many magnitudes.
    std::mt19937_64 generator(42);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    for (int i = 0; i < 5000; ++i)
    {
        const double value = mantissa(generator) * std::pow(10.0, static_cast<double>(i % 38 - 12));
        char reference[400];
        std::snprintf(reference, sizeof reference, "%f", value);
        std::string expected = reference;
        expected.erase(expected.find_last_not_of('0') + 1);
        if (expected.back() == '.')
            expected.pop_back();
        std::string textOut;
        callBuiltinFunction("print", {num(value)}, &textOut);
        ASSERT_EQ(textOut, expected + "\n") << value;
    }
}

} // namespace
