// The evaluated form of one argument of a built-in function.
#pragma once

#include <cstdint>
#include <limits>
#include <memory_resource>
#include <string>
#include <utility>
#include <vector>

namespace Morvantis::ExpressionUtils
{

struct Value
{
    enum class Type : int32_t
    {
        Number = 1,
        String = 2
    };

    Type type = Type::Number;
    double number = 0.0; // NaN for a string
    std::string text;    // empty for a number

    static Value ofNumber(double v) { return {Type::Number, v, {}}; }
    static Value ofString(std::string t)
    {
        return {Type::String, std::numeric_limits<double>::quiet_NaN(), std::move(t)};
    }
    bool isNumber() const { return type == Type::Number; }
    bool isString() const { return type == Type::String; }
};

// Each call of a built-in gives it a list of its own, gone when the call ends.
using ValueList = std::pmr::vector<Value>;

} // namespace Morvantis::ExpressionUtils
