// Number literals: a quick path for short plain decimals, std::from_chars for everything else,
// with strtod's answers where from_chars leaves a value out of range.
#include "NumberReader.h"

#include "Numeric.h"
#include "Text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <limits>

namespace Morvantis::ExpressionUtils
{

namespace
{
bool isHexDigit(char c)
{
    return isAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The bytes that may belong to the number at p; the conversion decides where it really ends.
const char* numberExtent(const char* p)
{
    if (isAsciiLetter(*p)) // inf, infinity, nan, nan(chars)
    {
        while (isAsciiLetter(*p))
            ++p;
        if (*p == '(')
        {
            const char* q = p + 1;
            while (isAsciiLetter(*q) || isAsciiDigit(*q) || *q == '_')
                ++q;
            if (*q == ')')
                p = q + 1;
        }
        return p;
    }
    const bool hex = p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    if (hex)
        p += 2;
    while ((hex ? isHexDigit(*p) : isAsciiDigit(*p)) || *p == '.')
        ++p;
    if (toLowerAscii(*p) == (hex ? 'p' : 'e'))
    {
        ++p;
        if (*p == '+' || *p == '-')
            ++p;
        while (isAsciiDigit(*p))
            ++p;
    }
    return p;
}

// from_chars leaves the value alone when a number over- or underflows, where strtod gives
// infinity or zero: tell the two apart by the number's decimal (or binary) magnitude.
double outOfRangeValue(const char* first, const char* last, bool hex)
{
    long long scale = 0;
    bool point = false;
    bool significant = false;
    const char exponentMark = hex ? 'p' : 'e';
    const char* p = first;
    for (; p < last && toLowerAscii(*p) != exponentMark; ++p)
    {
        if (*p == '.')
            point = true;
        else if (significant || *p != '0')
        {
            significant = true;
            if (!point)
                ++scale;
        }
        else if (point)
            --scale;
    }
    long long exponent = 0;
    if (p < last)
    {
        ++p;
        const bool negative = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        for (; p < last && isAsciiDigit(*p); ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 1000000000000LL);
        if (negative)
            exponent = -exponent;
    }
    const long long magnitude = (hex ? scale * 4 : scale) + exponent;
    return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

// Most numbers in a selection are short plain decimals. With at most 15 digits and no exponent,
// the digits form an exact integer and the power of ten is exact, so one division rounds
// exactly as the full conversion would. Anything else returns false and takes the full path.
bool parseShortDecimal(const char* text, double& value, const char*& stop)
{
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int kMaxDigits = 15;
    static_assert(std::size(powersOfTen) == kMaxDigits + 1);
    if (!isAsciiDigit(text[0]) || (text[0] == '0' && isAsciiLetter(text[1])))
        return false;
    uint64_t digits = 0;
    int count = 0;
    int fractionDigits = 0;
    const char* p = text;
    const auto take = [&](char digit)
    {
        if (++count <= kMaxDigits)
            digits = digits * 10 + static_cast<uint64_t>(digit - '0');
    };
    for (; isAsciiDigit(*p); ++p)
        take(*p);
    if (*p == '.')
        for (++p; isAsciiDigit(*p); ++p, ++fractionDigits)
            take(*p);
    if (count > kMaxDigits || *p == 'e' || *p == 'E')
        return false;
    value = static_cast<double>(digits) / powersOfTen[fractionDigits];
    stop = p;
    return true;
}
} // namespace

double parseNumber(const char* text, const char** end)
{
    if (end != nullptr)
        *end = text;
    if (text == nullptr || *text == '\0')
        return kNaN;

    if (!mayBeginNumber(text[0]))
        return kNaN;

    const char* stop = text;
    double value = kNaN;
    if (text[0] == '0' && (text[1] == 'b' || text[1] == 'B'))
    {
        // Only the last 32 binary digits count.
        uint32_t bits = 0;
        for (stop = text + 2; *stop == '0' || *stop == '1'; ++stop)
            bits = bits * 2u + static_cast<uint32_t>(*stop - '0');
        value = bits;
    }
    else if (!parseShortDecimal(text, value, stop) && text[0] != '-' && text[0] != '+')
    {
        const char* last = numberExtent(text);
        const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
                         (isHexDigit(text[2]) || (text[2] == '.' && isHexDigit(text[3])));
        const char* first = hex ? text + 2 : text;
        const auto result =
            std::from_chars(first, last, value, hex ? std::chars_format::hex : std::chars_format::general);
        if (result.ptr != first)
        {
            stop = result.ptr;
            if (result.ec == std::errc::result_out_of_range)
                value = outOfRangeValue(first, stop, hex);
        }
        else
            value = kNaN;
    }
    if (end != nullptr)
        *end = stop;
    return value;
}

} // namespace Morvantis::ExpressionUtils
