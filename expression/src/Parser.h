// Turns the next statement of a text into a term tree.
#pragma once

#include "Terms.h"

#include <string>
#include <string_view>

namespace Morvantis::ExpressionUtils
{

// Parentheses, prefixes, calls and assignments may nest this deep; deeper input is refused
// before it can exhaust the stack of the thread that parses it.
constexpr int32_t kMaxNesting = 300;

// Space and the bytes 9 to 13 (tab, line feed, vertical tab, form feed, carriage return).
inline bool isBlank(char c) { return c == ' ' || (c >= 9 && c <= 13); }

// Takes the next statement off the front of text. text must end where its NUL-terminated
// buffer ends. statement and error are always assigned; error is empty when the statement parsed.
TermRef parseExpression(std::string_view& text, std::string& statement, std::string& error, std::string* textOut);

// Reads a number at the front of text (0b binary, decimal, 0x hexadecimal, inf, nan) whatever the
// locale; end receives the first byte not read. NaN when nothing was read.
double parseNumber(const char* text, const char** end);

bool readIdentifier(std::string_view& text, std::string& name);

void trimLeadingSemicolons(std::string& text);
void trimTrailingSemicolons(std::string& text);

} // namespace Morvantis::ExpressionUtils
