// Reads the number literals of the expression language.
#pragma once

namespace Morvantis::ExpressionUtils
{

// Reads a number at the front of text (0b binary, decimal, 0x hexadecimal, inf, nan) whatever the
// locale; end receives the first byte not read. NaN when nothing was read.
double parseNumber(const char* text, const char** end);

} // namespace Morvantis::ExpressionUtils
