// Defined-number tests, defaults and the mathematical built-ins, called through the dispatch.
#include "Numeric.h"
#include "support/BuiltinTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

// The last rows hold exact bits where C runtimes disagree: argument reduction of huge angles and pow's last
// places.
TEST(Mathematics, DefinedNumbersDefaultsAndFunctions)
{
    // clang-format off
    checkCalls({
        {"exists", {{0, 1}, {kNaN, 0}, {kInf, 0}}}, {"notexists", {{-kInf, 1}, {0, 0}}}, {"nop", {{0}}},
        {"nan", {{kNaN}}},
        {"def", {{0, 5, 0}, {kInf, 2, 2}, {kNaN, kInf, kInf}, {kNaN, -kInf, 4, 4}}},
        {"defnz", {{1e-7, 7, 7}, {1e-6, 7, 1e-6}, {-1e-6, 7, -1e-6}, {kInf, kNaN, 3, 3}, {0, 1e-7, 1e-7}}},
        {"abs", {{-3, 3}}}, {"sqrt", {{9, 3}, {-1, kNaN}}}, {"sqr", {{-3, 9}}}, {"sin", {{kPi / 2, 1}}},
        {"cos", {{0, 1}}},
        {"tan", {{0.5, 0.5463024898437905}}}, {"asin", {{1, kPi / 2}}}, {"acos", {{-1, kPi}}}, {"atan", {{1, kPi / 4}}},
        {"atan2", {{1, 0, kPi / 2}, {0, -1, kPi}}}, {"pi", {{3.141592653589793}}}, {"e", {{2.718281828459045}}},
        {"rad2deg", {{kPi, 180}, {1, 57.29577951308232}}}, {"deg2rad", {{180, 3.141592653589793}}},
        {"pow", {{2, 10, 1024}}}, {"exp", {{1, 2.718281828459045}}}, {"exp10", {{2, 100}, {-1, 0.1}}},
        {"exp2", {{-1, 0.5}}}, {"log", {{kE, 1}, {kNaN, kNaN}, {kInf, kInf}}}, {"log10", {{1000, 3}}},
        {"log2", {{8, 3}}},
        {"sin", {{1e10, -0.48750602508751067}, {1e22, -0.8522008497671888}}}, {"cos", {{1e300, -0.5753861119575491}}},
        {"pow", {{1.0000000833720721, 710, 1.0000591959207576}}},
    });
    // clang-format on
    EXPECT_FALSE(std::signbit(callBuiltinFunction("abs", {num(-0.0)}, nullptr)));
    // Arguments after the one chosen are not even type-checked; then the refusals.
    std::vector<Case> cases = {
        {"def", {num(3), str("a")}, 3},
        {"defnz", {num(5), str("a")}, 5},
        {"exists", {}, 0, "Function 'exists' expects 1 parameter."},
        {"exists", {str("x"), str("y")}, 0, "Function 'exists' expects 1 parameter."},
        {"exists", {str("x")}, 0, "Function 'exists' expects number parameter."},
        {"notexists", {str("x")}, 0, "Function 'notexists' expects number parameter."},
        {"def", {str("a")}, 0, "Function 'def' expects 2 or more parameters."},
        {"def", {str("a"), num(3)}, 0, "Function 'def' expects 'Value' parameter."},
        {"def", {num(kNaN), str("a")}, 0, "Function 'def' expects 'Value' parameter."},
        {"defnz", {num(0)}, 0, "Function 'defnz' expects 2 or more parameters."},
        {"defnz", {num(0), str("a"), num(1)}, 0, "Function 'defnz' expects 'Value' parameter."},
        {"log", {num(-0.0)}, 0, "Function 'log' expects parameter larger than zero."},
        {"log10", {num(0)}, 0, "Function 'log10' expects parameter larger than zero."},
        {"log2", {num(-4)}, 0, "Function 'log2' expects parameter larger than zero."},
    };
    addArityFailures(cases, 0, {"nop", "nan", "pi", "e"});
    addArityFailures(cases, 1,
                     {"abs", "sqrt", "sqr", "sin", "cos", "tan", "asin", "acos", "atan", "rad2deg", "deg2rad", "exp",
                      "exp10", "exp2", "log", "log10", "log2"});
    addArityFailures(cases, 2, {"atan2", "pow"});
    check(cases);
}

} // namespace
