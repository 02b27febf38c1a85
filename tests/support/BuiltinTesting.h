// Table-driven calls of built-ins through the dispatch, for the families that never write text.
#pragma once

#include "Builtins.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace Morvantis::ExpressionUtils::Testing
{

constexpr double kInf = std::numeric_limits<double>::infinity();

Value num(double v)
{
    return Value::ofNumber(v);
}
Value str(const char* t)
{
    return Value::ofString(t);
}

// One call: the exact value it must give (NaN: any NaN), or the message it must fail with.
struct Case
{
    std::string name;
    ValueList args;
    double expected;
    std::string message = {}; // empty: the call must succeed
};

Case fails(std::string name, ValueList args, std::string message)
{
    return {std::move(name), std::move(args), 0, std::move(message)};
}

void check(const std::vector<Case>& cases)
{
    for (std::size_t i = 0; i < cases.size(); ++i)
    {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name + ", case " + std::to_string(i));
        std::string out = "untouched"; // none of these members writes text
        try
        {
            const double v = callBuiltinFunction(c.name, c.args, &out);
            EXPECT_TRUE(c.message.empty()) << "no error, value " << v;
            if (std::isnan(c.expected))
                EXPECT_TRUE(std::isnan(v)) << v;
            else
                EXPECT_EQ(v, c.expected);
        }
        catch (const Morvantis::ErrorException& e)
        {
            EXPECT_EQ(e.what(), c.message);
        }
        EXPECT_EQ(out, "untouched");
    }
}

} // namespace Morvantis::ExpressionUtils::Testing
