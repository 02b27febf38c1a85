// Table-driven calls of built-ins through the dispatch.
#pragma once

#include "Builtins.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace Morvantis::ExpressionUtils::Testing
{

constexpr double kInf = std::numeric_limits<double>::infinity();
inline const auto num = [](double v) { return Value::ofNumber(v); };
inline const auto str = [](std::string t) { return Value::ofString(std::move(t)); };

constexpr const char* kUntouched = "untouched"; // the text output before each call

// One call: the exact value it must give (NaN: any NaN), or, with a message, the error it must fail with;
// and the text output it must leave.
struct Case
{
    std::string name;
    ValueList args;
    double expected;
    std::string message = {}; // empty: the call must succeed
    std::string out = kUntouched;
};

inline void check(const std::vector<Case>& cases)
{
    for (const Case& c : cases)
    {
        std::string call = c.name, out = kUntouched, message;
        for (const Value& a : c.args)
            call += a.isNumber() ? " " + testing::PrintToString(a.number) : " \"" + a.text + '"';
        SCOPED_TRACE(call);
        double v = 0;
        try
        {
            v = callBuiltinFunction(c.name, c.args, &out);
        }
        catch (const Morvantis::ErrorException& e)
        {
            message = e.what();
        }
        EXPECT_EQ(message, c.message);
        EXPECT_TRUE(!message.empty() || (std::isnan(c.expected) ? std::isnan(v) : v == c.expected)) << v;
        EXPECT_EQ(out, c.out);
    }
}

// Calls of one member with numbers only; each row holds the arguments, then the exact result.
struct Calls
{
    std::string name;
    std::vector<std::vector<double>> rows;
};

inline void checkCalls(const std::vector<Calls>& tables)
{
    std::vector<Case> cases;
    for (const Calls& t : tables)
        for (const std::vector<double>& row : t.rows)
        {
            ValueList args;
            std::transform(row.begin(), row.end() - 1, std::back_inserter(args), num);
            cases.push_back({t.name, args, row.back()});
        }
    check(cases);
}

// The refusals of members of n number arguments: a wrong count before any type, then the first non-number.
inline void addArityFailures(std::vector<Case>& cases, std::size_t n, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
    {
        const std::string prefix = "Function '" + name + "' expects ";
        if (n > 0)
            cases.push_back({name, ValueList(n - 1, str("x")), 0, prefix + std::to_string(n) + " parameters."});
        cases.push_back({name, ValueList(n + 1, str("x")), 0, prefix + std::to_string(n) + " parameters."});
        for (std::size_t i = 0; i < n; ++i)
        {
            ValueList args(n, str("x"));
            std::fill_n(args.begin(), i, num(1));
            cases.push_back({name, args, 0, prefix + "'Value' parameter " + std::to_string(i + 1) + "."});
        }
    }
}

} // namespace Morvantis::ExpressionUtils::Testing
