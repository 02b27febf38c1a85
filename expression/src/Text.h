// The engine's byte-string helpers: character classes, blanks and trimming, ASCII case, and the
// fixed-decimal text of a number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Morvantis::ExpressionUtils
{

// Space and the bytes 9 to 13 (tab, line feed, vertical tab, form feed, carriage return).
inline bool isBlank(char c)
{
    return c == ' ' || (c >= 9 && c <= 13);
}

inline bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Only 'A'-'Z' change; bytes of 128 and above keep their value.
inline char toLowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void trimLeft(std::string_view& text);
void trimRight(std::string_view& text);
void trimLeft(std::string& text);
void trimRight(std::string& text);

// 0 when equal ignoring ASCII case, -1 for different lengths, else the 1-based position of the first difference.
int32_t compareIgnoreCase(std::string_view a, std::string_view b);

constexpr int32_t kMostFixedDecimals = 12;

// The "%f" text with 0 to kMostFixedDecimals decimals: every integer digit, correctly rounded,
// "nan", "-nan", "inf" or "-inf" for the rest. Made without the C runtime, so that every
// platform writes the same digits.
std::string fixedDecimals(double value, int32_t decimals);

} // namespace Morvantis::ExpressionUtils
