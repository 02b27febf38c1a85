#include "Text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace Morvantis::ExpressionUtils
{

void trimLeft(std::string_view& text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    text.remove_prefix(i);
}

void trimRight(std::string_view& text)
{
    std::size_t n = text.size();
    while (n > 0 && isBlank(text[n - 1]))
        --n;
    text.remove_suffix(text.size() - n);
}

void trimLeft(std::string& text)
{
    std::string_view view(text);
    trimLeft(view);
    text.erase(0, text.size() - view.size());
}

void trimRight(std::string& text)
{
    std::string_view view(text);
    trimRight(view);
    text.erase(view.size());
}

int32_t compareIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return -1;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        if (toLowerAscii(a[i]) != toLowerAscii(b[i]))
            return static_cast<int32_t>(i + 1);
    }
    return 0;
}

std::string fixedDecimals(double value, int32_t decimals)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0.0 ? "-inf" : "inf";
    // Every integer digit of the largest double, sign, point and the decimals.
    char buffer[std::numeric_limits<double>::max_exponent10 + 1 + 2 + kMostFixedDecimals];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, written.ptr);
}

} // namespace Morvantis::ExpressionUtils
