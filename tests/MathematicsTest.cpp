// Defined-number tests, defaults and the mathematical built-ins, called through the dispatch.
#include "support/BuiltinTesting.h"
#include "Numeric.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

TEST(Mathematics, DispatchOrder)
{
    const char* expected[] = {"exists",  "notexists", "nop", "nan",  "defnz", "def",  "abs",   "sqrt",  "sqr",
                              "sin",     "cos",       "tan", "asin", "acos",  "atan", "atan2", "pi",    "rad2deg",
                              "deg2rad", "e",         "pow", "exp",  "exp10", "exp2", "log",   "log10", "log2"};
    static_assert(std::size(expected) == std::tuple_size_v<decltype(Builtins::mathematics)>);
    for (std::size_t i = 0; i < std::size(expected); ++i)
    {
        EXPECT_STREQ(Builtins::mathematics[i].name, expected[i]);
        EXPECT_NE(Builtins::mathematics[i].call, nullptr) << expected[i];
    }
}

TEST(Mathematics, DefinedNumbersAndDefaults)
{
    check({
        {"exists", {num(0)}, 1},
        {"exists", {num(4.9e-324)}, 1},
        {"exists", {num(kNaN)}, 0},
        {"exists", {num(kInf)}, 0},
        {"exists", {num(-kInf)}, 0},
        {"notexists", {num(kNaN)}, 1},
        {"notexists", {num(-kInf)}, 1},
        {"notexists", {num(0)}, 0},
        {"nop", {}, 0},
        {"nan", {}, kNaN},
        {"def", {num(kNaN), num(5)}, 5},
        {"def", {num(0), num(5)}, 0},
        {"def", {num(kInf), num(2)}, 2},
        {"def", {num(kNaN), num(kInf)}, kInf},
        {"def", {num(kNaN), num(-kInf), num(4)}, 4},
        {"def", {num(3), str("a")}, 3}, // arguments after the result are not type-checked
        {"defnz", {num(0), num(7)}, 7},
        {"defnz", {num(1e-7), num(7)}, 7},
        {"defnz", {num(1e-6), num(7)}, 1e-6},
        {"defnz", {num(-1e-6), num(7)}, -1e-6},
        {"defnz", {num(kInf), num(kNaN), num(3)}, 3},
        {"defnz", {num(0), num(kNaN)}, kNaN},
        {"defnz", {num(1e-7), num(0)}, 0},
        {"defnz", {num(0), num(1e-7)}, 1e-7},
        {"defnz", {num(0), num(-kInf)}, -kInf},
        {"defnz", {num(5), str("a")}, 5},
    });
}

TEST(Mathematics, Functions)
{
    check({
        {"abs", {num(-3)}, 3},
        {"abs", {num(-kInf)}, kInf},
        {"sqrt", {num(9)}, 3},
        {"sqrt", {num(-1)}, kNaN},
        {"sqr", {num(-3)}, 9},
        {"sin", {num(0)}, 0},
        {"cos", {num(0)}, 1},
        {"tan", {num(0)}, 0},
        {"asin", {num(1)}, 1.5707963267948966},
        {"asin", {num(2)}, kNaN},
        {"acos", {num(-1)}, 3.141592653589793},
        {"atan", {num(1)}, 0.7853981633974483},
        {"atan2", {num(1), num(0)}, 1.5707963267948966},
        {"atan2", {num(0), num(1)}, 0},
        {"atan2", {num(0), num(-1)}, 3.141592653589793},
        {"pi", {}, 3.141592653589793},
        {"e", {}, 2.718281828459045},
        {"rad2deg", {num(3.141592653589793)}, 180},
        {"rad2deg", {num(1)}, 57.29577951308232},
        {"deg2rad", {num(180)}, 3.141592653589793},
        {"pow", {num(2), num(10)}, 1024},
        {"pow", {num(-8), num(1.0 / 3.0)}, kNaN},
        {"exp", {num(0)}, 1},
        {"exp", {num(1000)}, kInf},
        {"exp10", {num(2)}, 100},
        {"exp10", {num(-1)}, 0.1},
        {"exp2", {num(-1)}, 0.5},
        {"log", {num(1)}, 0},
        {"log", {num(kNaN)}, kNaN},
        {"log", {num(kInf)}, kInf},
        {"log10", {num(1000)}, 3},
        {"log2", {num(8)}, 3},
        {"log2", {num(0.25)}, -2},
        {"SQRT", {num(4)}, 2},
        {"Sqrt", {num(4)}, 2},
        {"PI", {}, 3.141592653589793},
        {"ExIsTs", {num(1)}, 1},
    });
    EXPECT_FALSE(std::signbit(callBuiltinFunction("abs", {num(-0.0)}, nullptr)));
}

TEST(Mathematics, Messages)
{
    std::vector<Case> cases = {
        fails("exists", {}, "Function 'exists' expects 1 parameter."),
        fails("EXISTS", {str("x"), str("y")}, "Function 'exists' expects 1 parameter."),
        fails("exists", {str("x")}, "Function 'exists' expects number parameter."),
        fails("notexists", {num(1), num(2)}, "Function 'notexists' expects 1 parameter."),
        fails("notexists", {str("x")}, "Function 'notexists' expects number parameter."),
        fails("nop", {num(1)}, "Function 'nop' expects 0 parameters."),
        fails("nan", {num(1)}, "Function 'nan' expects 0 parameters."),
        fails("PI", {num(1)}, "Function 'pi' expects 0 parameters."),
        fails("e", {str("x")}, "Function 'e' expects 0 parameters."),
        fails("def", {}, "Function 'def' expects 2 or more parameters."),
        fails("def", {str("a")}, "Function 'def' expects 2 or more parameters."),
        fails("def", {str("a"), num(3)}, "Function 'def' expects 'Value' parameter."),
        fails("def", {num(kNaN), str("a")}, "Function 'def' expects 'Value' parameter."),
        fails("defnz", {num(0)}, "Function 'defnz' expects 2 or more parameters."),
        fails("defnz", {num(0), str("a"), num(1)}, "Function 'defnz' expects 'Value' parameter."),
        fails("atan2", {num(1)}, "Function 'atan2' expects 2 parameters."),
        fails("atan2", {str("a"), str("b")}, "Function 'atan2' expects 'Value' parameter 1."),
        fails("atan2", {num(1), str("a")}, "Function 'atan2' expects 'Value' parameter 2."),
        fails("pow", {num(2)}, "Function 'pow' expects 2 parameters."),
        fails("pow", {num(2), str("a")}, "Function 'pow' expects 'Value' parameter 2."),
        fails("log", {num(0)}, "Function 'log' expects parameter larger than zero."),
        fails("log", {num(-0.0)}, "Function 'log' expects parameter larger than zero."),
        fails("LOG", {num(-kInf)}, "Function 'log' expects parameter larger than zero."),
        fails("log10", {num(0)}, "Function 'log10' expects parameter larger than zero."),
        fails("log2", {num(-4)}, "Function 'log2' expects parameter larger than zero."),
    };
    // Every one-argument member: count before type, its own lower-case name in the message.
    for (const std::string name : {"abs", "sqrt", "sqr", "sin", "cos", "tan", "asin", "acos", "atan", "rad2deg",
                                   "deg2rad", "exp", "exp10", "exp2", "log", "log10", "log2"})
    {
        const std::string prefix = "Function '" + name + "' expects ";
        std::string upper = name;
        for (char& ch : upper)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        cases.push_back(fails(name, {}, prefix + "1 parameters."));
        cases.push_back(fails(name, {str("x"), str("y")}, prefix + "1 parameters."));
        cases.push_back(fails(upper, {str("x")}, prefix + "'Value' parameter 1."));
    }
    check(cases);
}

} // namespace
