// Reads the number literals of the expression language.
#pragma once

#include "Text.h"

namespace Morvantis::ExpressionUtils
{

// Reads a number at the front of text (0b binary, decimal, 0x hexadecimal, inf, nan) whatever the
// locale; end receives the first byte not read. NaN when nothing was read.
double parseNumber(const char* text, const char** end);

// Whether a number can begin with c: a digit, "." or the first letter of inf or nan. The parser asks
// before every operand, so that a name does not pay for a call.
inline bool mayBeginNumber(char c)
{
    const char lower = toLowerAscii(c);
    return isAsciiDigit(c) || c == '.' || lower == 'i' || lower == 'n';
}

} // namespace Morvantis::ExpressionUtils
