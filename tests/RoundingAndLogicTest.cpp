// Rounding, dead bands, 32-bit words, truth logic and comparisons, called through the dispatch.
#include "Numeric.h"
#include "support/BuiltinTesting.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

constexpr double kMin32 = -2147483648.0;
constexpr double kMax32 = 4294967295.0;

TEST(RoundingAndLogic, RoundingDeadBandsWordsAndComparisons)
{
    // clang-format off
    checkCalls({
        {"round", {{2.5, 3}, {-2.5, -3}, {2147483647.4, 2147483647}, {2147483647.5, kMin32}, {kNaN, kMin32}}},
        {"round", {{1234.5678, 2, 1234.57}, {-1234.5678, 1.5, -1234.57}, {1234.5, -2, 1200}, {1e10, 0, 1e10}}},
        {"round", {{0.49999999999999994, 0}, {0.125, 1, 0.1}, {1, kNaN, kNaN}, {0, 400, kNaN}, {1, -400, kNaN}}},
        {"roundup", {{2.1, 3}, {-2.1, -3}, {2.00000000000001, 2}, {-2.00000000000001, -2}, {kNaN, kMin32}}},
        {"floor", {{2.9999999999999, 3}, {-2.5, -3}, {3e9, kMin32}}}, {"ceil", {{2.5, 3}, {-2.5, -2}, {-kInf, kMin32}}},
        {"ceil", {{3.0000000000001, 3}}}, {"trunc", {{-2.5, -2}, {2.9, 2}, {2147483648.0, kMin32}}},
        {"centerex", {{0.5, 1, 10, 2, 0}, {0, -1, 10, 2, 0}, {kNaN, 1, 10, 2, 0}}},
        {"centerex", {{5.5, 1, 10, 10, 0}, {5.5, 1, 10, -3, 0}, {5.5, 1, kNaN, 2, kNaN}}},
        {"centerex", {{1e300, 0, 1e300, kNaN, 1e300}}}, // max / (max - dead) before the product
        {"centerex", {{10, 1, 10, 2, 1}, {5.5, 1, 10, 2, 0.7718657103125849}, {-5.5, 1, 10, 2, -0.7718657103125849}}},
        {"centerex", {{5.5, 1, 10, 5, 5}, {5.5, 1, 10, 5.0001, 0.49999000000025395}}},
        {"center", {{1, 1, 1}, {-0.5, 1, 0}, {kNaN, 1, kNaN}, {3, kNaN, 3}}},
        {"not", {{0, kMax32}, {2.5, 4294967292}, {4294967296, kMax32}, {kNaN, kMax32}, {-0.49999999999999994, kMax32}}},
        {"and", {{12, 10, 8}, {-2.5, 4294967293}, {7, kNaN, 0}}}, {"or", {{12, 10, 14}}},
        {"xor", {{12, 10, 6}, {1, 2, 4, 7}}}, {"nand", {{12, 10, 4294967287}, {0, kMax32}}},
        {"nor", {{12, 10, 4294967281}, {1, 2, 4, 4294967288}}}, {"xnor", {{12, 10, 4294967289}}},
        {"shl", {{1, 4, 16}, {1, 0, 1}, {1, 32, 1}, {1, -1, 2147483648}, {3, 31, 2147483648}, {1, 33, 2}}},
        {"shl", {{1, 2.5, 8}, {1, kNaN, 1}, {-1, 4, 4294967280}, {kNaN, 3, 0}}},
        {"shr", {{256, 4, 16}, {-8, 1, 2147483644}, {16, 36, 1}, {16, -1, 0}, {16, 1e300, 16}}},
        {"eq", {{0.1 + 0.2, 0.3, 1}, {1, 1 + 1e-12, 0}, {1e-13, 0, 0}, {kNaN, kNaN, 0}, {kInf, kInf, 1}}},
        {"ne", {{kNaN, kNaN, 1}, {kInf, kInf, 0}, {0.1 + 0.2, 0.3, 0}}}, {"gt", {{1 + 1e-14, 1, 1}, {1, 1, 0}}},
        {"lt", {{1, 2, 1}, {1, kNaN, 0}}}, {"ge", {{1, 1, 1}, {1, 1 + 1e-14, 0}, {kNaN, kNaN, 0}}},
        {"le", {{1, 1, 1}, {2, 1, 0}, {kNaN, 1, 0}}}, {"eq", {{kInf, -kInf, 0}}},
    });
    // clang-format on
}

TEST(RoundingAndLogic, TruthValues)
{
    // Each two-argument member over (false, false), (false, true), (true, false), (true, true);
    // 0, 1e-14 and NaN are false, -2 and 1e-13 true.
    const std::pair<const char*, const char*> tables[] = {{"land", "0001"},  {"lor", "0111"},  {"lxor", "0110"},
                                                          {"lnand", "1110"}, {"lnor", "1000"}, {"lxnor", "1001"}};
    std::vector<Calls> calls;
    for (const auto& [name, table] : tables)
    {
        calls.push_back({name, {}});
        for (std::size_t row = 0; row < 4; ++row)
            for (double f : {0.0, 1e-14, kNaN})
                for (double t : {-2.0, 1e-13})
                    calls.back().rows.push_back({row & 2 ? t : f, row & 1 ? t : f, table[row] == '1' ? 1.0 : 0.0});
    }
    calls.push_back({"lnot", {{-1e-14, 1}, {1e-13, 0}, {kNaN, 0}}});
    checkCalls(calls);
}

TEST(RoundingAndLogic, Messages)
{
    std::vector<Case> cases = {
        {"round", {}, 0, "Function 'round' expects 1 or more parameters."},
        {"round", {str("a"), str("b"), str("c")}, 0, "Function 'round' expects 2 or less parameters."},
        {"round", {str("a"), str("b")}, 0, "Function 'round' expects 'Value' parameter 1."},
        {"round", {num(1), str("a")}, 0, "Function 'round' expects 'Value' parameter 2."},
    };
    addArityFailures(cases, 1, {"roundup", "floor", "ceil", "trunc", "not", "lnot"});
    addArityFailures(cases, 2, {"center", "shl", "shr", "eq", "ne", "gt", "lt", "ge", "le"});
    addArityFailures(cases, 2, {"land", "lor", "lxor", "lnand", "lnor", "lxnor"});
    addArityFailures(cases, 4, {"centerex"});
    for (const std::string name : {"and", "or", "xor", "nand", "nor", "xnor"})
    {
        const std::string prefix = "Function '" + name + "' expects ";
        cases.push_back({name, {}, 0, prefix + "1 or more parameters."});
        cases.push_back({name, {str("x"), str("y")}, 0, prefix + "'Value' parameter 1."});
        cases.push_back({name, {num(1), num(2), str("x"), str("y")}, 0, prefix + "'Value' parameter."});
    }
    check(cases);
}

} // namespace
