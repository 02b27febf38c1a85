// Rounding, dead bands, 32-bit words, truth logic and comparisons, called through the dispatch.
#include "support/BuiltinTesting.h"
#include "Numeric.h"

#include <gtest/gtest.h>

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

constexpr double kMin32 = -2147483648.0;

TEST(RoundingAndLogic, DispatchOrder)
{
    const char* expected[] = {"round", "roundup", "floor", "ceil", "trunc", "centerex", "center", "not",  "and", "or",
                              "xor",   "nand",    "nor",   "xnor", "shl",   "shr",      "lnot",   "land", "lor", "lxor",
                              "lnand", "lnor",    "lxnor", "eq",   "ne",    "gt",       "lt",     "ge",   "le"};
    static_assert(std::size(expected) == std::tuple_size_v<decltype(Builtins::roundingAndLogic)>);
    for (std::size_t i = 0; i < std::size(expected); ++i)
    {
        EXPECT_STREQ(Builtins::roundingAndLogic[i].name, expected[i]);
        EXPECT_NE(Builtins::roundingAndLogic[i].call, nullptr) << expected[i];
    }
}

TEST(RoundingAndLogic, Rounding)
{
    check({
        {"round", {num(2.5)}, 3},
        {"round", {num(-2.5)}, -3},
        {"ROUND", {num(2147483647.4)}, 2147483647},
        {"round", {num(2147483647.5)}, kMin32},
        {"round", {num(-2147483648.4)}, kMin32},
        {"round", {num(kNaN)}, kMin32},
        {"round", {num(-kInf)}, kMin32},
        {"round", {num(1e10)}, kMin32},
        {"round", {num(1234.5678), num(2)}, 1234.57},
        {"round", {num(-1234.5678), num(2.4)}, -1234.57},
        {"round", {num(1234.5678), num(1.5)}, 1234.57},
        {"round", {num(1234.5), num(-2)}, 1200},
        {"round", {num(1e10), num(0)}, 1e10},
        {"round", {num(0.125), num(1)}, 0.1},
        {"round", {num(1), num(kNaN)}, kNaN},
        {"round", {num(0), num(400)}, kNaN},
        {"round", {num(1), num(-400)}, kNaN},
        {"round", {num(1), num(3e9)}, kNaN},
        {"roundup", {num(2.1)}, 3},
        {"roundup", {num(-2.1)}, -3},
        {"roundup", {num(2)}, 2},
        {"roundup", {num(2.00000000000001)}, 2},
        {"roundup", {num(-2.00000000000001)}, -2},
        {"roundup", {num(0.5)}, 1},
        {"roundup", {num(-0.5)}, -1},
        {"roundup", {num(kNaN)}, kMin32},
        {"floor", {num(2.9999999999999)}, 3},
        {"floor", {num(-1e-14)}, 0},
        {"floor", {num(-2.5)}, -3},
        {"floor", {num(2.7)}, 2},
        {"floor", {num(3e9)}, kMin32},
        {"floor", {num(kInf)}, kMin32},
        {"ceil", {num(3.0000000000001)}, 3},
        {"ceil", {num(2.5)}, 3},
        {"ceil", {num(-2.5)}, -2},
        {"ceil", {num(-kInf)}, kMin32},
        {"trunc", {num(-2.5)}, -2},
        {"trunc", {num(2.9)}, 2},
        {"trunc", {num(-2147483648.9)}, kMin32},
        {"trunc", {num(2147483648.0)}, kMin32},
        {"trunc", {num(kNaN)}, kMin32},
    });
}

TEST(RoundingAndLogic, DeadBands)
{
    check({
        {"centerex", {num(0.5), num(1), num(10), num(2)}, 0},
        {"centerex", {num(1), num(1), num(10), num(2)}, 0},
        {"centerex", {num(0), num(-1), num(10), num(2)}, 0},
        {"centerex", {num(kNaN), num(1), num(10), num(2)}, 0},
        {"centerex", {num(5.5), num(1), num(10), num(10)}, 0},
        {"centerex", {num(5.5), num(1), num(10), num(20)}, 0},
        {"centerex", {num(5.5), num(1), num(10), num(0)}, 0},
        {"centerex", {num(5.5), num(1), num(10), num(-3)}, 0},
        {"centerex", {num(5.5), num(1), num(kNaN), num(2)}, kNaN},
        {"centerex", {num(1e300), num(0), num(1e300), num(kNaN)}, 1e300}, // max / (max - dead) before the product
        {"center", {num(1), num(1)}, 1},
        {"center", {num(-1), num(1)}, -1},
        {"center", {num(0.5), num(1)}, 0},
        {"center", {num(-0.5), num(1)}, 0},
        {"center", {num(kNaN), num(1)}, kNaN},
        {"center", {num(3), num(kNaN)}, 3},
    });
    // {v, dead, max, k, expected to ten significant digits}
    const double curves[][5] = {
        {10, 1, 10, 2, 1},
        {5.5, 1, 10, 2, 0.7718657103},
        {-5.5, 1, 10, 2, -0.7718657103},
        {5.5, 1, 10, 8, 0.2281342897},
        {12, 1, 10, 2, 1.068254624},
        {5.5, 1, 10, 5, 5},
        {5.5, 1, 10, kNaN, 5},
        {5.5, 1, 10, 5.0001, 0.4999900000},
        {5.5, 1, 10, 4.9999, 0.5000100000},
    };
    for (const auto& c : curves)
    {
        SCOPED_TRACE(testing::Message() << "centerex(" << c[0] << ", " << c[1] << ", " << c[2] << ", " << c[3] << ")");
        const double v = callBuiltinFunction("CenterEx", {num(c[0]), num(c[1]), num(c[2]), num(c[3])}, nullptr);
        EXPECT_NEAR(v, c[4], std::fabs(c[4]) * 1e-9);
    }
}

TEST(RoundingAndLogic, Words)
{
    check({
        {"not", {num(0)}, 4294967295},
        {"not", {num(-1)}, 0},
        {"not", {num(2.5)}, 4294967292},
        {"not", {num(4294967296)}, 4294967295},
        {"not", {num(kNaN)}, 4294967295},
        {"not", {num(1e300)}, 4294967295},
        {"not", {num(-4294967297)}, 0},
        {"and", {num(12), num(10)}, 8},
        {"or", {num(12), num(10)}, 14},
        {"Xor", {num(12), num(10)}, 6},
        {"nand", {num(12), num(10)}, 4294967287},
        {"nor", {num(12), num(10)}, 4294967281},
        {"xnor", {num(12), num(10)}, 4294967289},
        {"and", {num(-1), num(255)}, 255},
        {"or", {num(-1)}, 4294967295},
        {"xor", {num(1), num(2), num(4)}, 7},
        {"and", {num(2.5), num(3)}, 3},
        {"and", {num(-2.5)}, 4294967293},
        {"and", {num(7), num(kNaN)}, 0},
        {"nand", {num(0)}, 4294967295},
        {"nor", {num(0)}, 4294967295},
        {"xnor", {num(5)}, 4294967290},
        {"or", {num(1), num(2), num(4), num(8)}, 15},
        {"nor", {num(1), num(2), num(4)}, 4294967288},
        {"shl", {num(1), num(4)}, 16},
        {"shl", {num(1), num(0)}, 1},
        {"shl", {num(1), num(32)}, 1},
        {"shl", {num(1), num(-1)}, 2147483648},
        {"shl", {num(3), num(31)}, 2147483648},
        {"shl", {num(1), num(33)}, 2},
        {"shl", {num(1), num(2.5)}, 8},
        {"shl", {num(1), num(kNaN)}, 1},
        {"shl", {num(-1), num(4)}, 4294967280},
        {"SHL", {num(kNaN), num(3)}, 0},
        {"shr", {num(256), num(4)}, 16},
        {"shr", {num(-1), num(28)}, 15},
        {"shr", {num(-8), num(1)}, 2147483644},
        {"shr", {num(16), num(36)}, 1},
        {"shr", {num(16), num(-1)}, 0},
        {"shr", {num(16), num(1e300)}, 16},
    });
}

TEST(RoundingAndLogic, TruthValues)
{
    // Each two-argument member over (false, false), (false, true), (true, false), (true, true);
    // 0, 1e-14 and NaN are false, -2 and 1e-13 true.
    const std::pair<const char*, const char*> tables[] = {{"land", "0001"},  {"lor", "0111"},  {"lxor", "0110"},
                                                          {"lnand", "1110"}, {"lnor", "1000"}, {"lxnor", "1001"}};
    const double falses[] = {0, 1e-14, kNaN};
    const double trues[] = {-2, 1e-13};
    std::vector<Case> cases;
    for (const auto& [name, table] : tables)
        for (std::size_t row = 0; row < 4; ++row)
            for (double f : falses)
                for (double t : trues)
                    cases.push_back(
                        {name, {num(row & 2 ? t : f), num(row & 1 ? t : f)}, table[row] == '1' ? 1.0 : 0.0});
    check(cases);
    check({
        {"lnot", {num(0)}, 1},
        {"lnot", {num(-1e-14)}, 1},
        {"lnot", {num(1e-13)}, 0},
        {"lnot", {num(kNaN)}, 0},
        {"LNot", {num(-3)}, 0},
    });
}

TEST(RoundingAndLogic, Comparisons)
{
    check({
        {"eq", {num(0.1 + 0.2), num(0.3)}, 1}, {"eq", {num(1), num(1 + 1e-12)}, 0}, {"eq", {num(kNaN), num(kNaN)}, 0},
        {"eq", {num(kInf), num(kInf)}, 1},     {"eq", {num(kInf), num(-kInf)}, 0},  {"eq", {num(1 + 1e-14), num(1)}, 1},
        {"ne", {num(kNaN), num(kNaN)}, 1},     {"ne", {num(kInf), num(kInf)}, 0},   {"ne", {num(1), num(2)}, 1},
        {"ne", {num(0.1 + 0.2), num(0.3)}, 0}, {"gt", {num(1 + 1e-14), num(1)}, 1}, {"gt", {num(1), num(2)}, 0},
        {"gt", {num(1), num(1)}, 0},           {"lt", {num(1), num(2)}, 1},         {"lt", {num(2), num(1)}, 0},
        {"lt", {num(1), num(kNaN)}, 0},        {"ge", {num(1), num(1)}, 1},         {"ge", {num(1), num(1 + 1e-14)}, 0},
        {"ge", {num(kNaN), num(kNaN)}, 0},     {"le", {num(1), num(1)}, 1},         {"le", {num(2), num(1)}, 0},
        {"le", {num(kNaN), num(1)}, 0},
    });
}

TEST(RoundingAndLogic, Messages)
{
    std::vector<Case> cases = {
        fails("round", {}, "Function 'round' expects 1 or more parameters."),
        fails("round", {num(1), num(2), num(3)}, "Function 'round' expects 2 or less parameters."),
        fails("round", {str("a"), str("b"), str("c")}, "Function 'round' expects 2 or less parameters."),
        fails("round", {str("a")}, "Function 'round' expects 'Value' parameter 1."),
        fails("round", {str("a"), str("b")}, "Function 'round' expects 'Value' parameter 1."),
        fails("round", {num(1), str("a")}, "Function 'round' expects 'Value' parameter 2."),
        fails("centerex", {num(1), num(2), num(3)}, "Function 'centerex' expects 4 parameters."),
    };
    for (std::size_t i = 0; i < 4; ++i)
    {
        ValueList args(4, num(1));
        args[i] = str("x");
        if (i < 3)
            args[3] = str("y"); // a later bad argument must not be reported first
        cases.push_back(
            fails("centerex", args, "Function 'centerex' expects 'Value' parameter " + std::to_string(i + 1) + "."));
    }
    for (const std::string name : {"roundup", "floor", "ceil", "trunc", "not", "lnot"})
    {
        const std::string prefix = "Function '" + name + "' expects ";
        cases.push_back(fails(name, {}, prefix + "1 parameters."));
        cases.push_back(fails(name, {str("x"), str("y")}, prefix + "1 parameters."));
        cases.push_back(fails(name, {str("x")}, prefix + "'Value' parameter 1."));
    }
    for (const std::string name :
         {"center", "shl", "shr", "land", "lor", "lxor", "lnand", "lnor", "lxnor", "eq", "ne", "gt", "lt", "ge", "le"})
    {
        const std::string prefix = "Function '" + name + "' expects ";
        cases.push_back(fails(name, {str("a")}, prefix + "2 parameters."));
        cases.push_back(fails(name, {num(1), num(2), num(3)}, prefix + "2 parameters."));
        cases.push_back(fails(name, {str("a"), str("b")}, prefix + "'Value' parameter 1."));
        cases.push_back(fails(name, {num(1), str("b")}, prefix + "'Value' parameter 2."));
    }
    for (const std::string name : {"and", "or", "xor", "nand", "nor", "xnor"})
    {
        const std::string prefix = "Function '" + name + "' expects ";
        cases.push_back(fails(name, {}, prefix + "1 or more parameters."));
        cases.push_back(fails(name, {str("x"), str("y")}, prefix + "'Value' parameter 1."));
        cases.push_back(fails(name, {num(1), num(2), str("x"), str("y")}, prefix + "'Value' parameter."));
        cases.push_back(fails(name, {num(1), str("x")}, prefix + "'Value' parameter."));
    }
    cases.push_back(fails("XNOR", {num(1), str("x")}, "Function 'xnor' expects 'Value' parameter."));
    check(cases);
}

} // namespace
