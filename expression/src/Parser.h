// Turns the next statement of a text into a term tree.
#pragma once

#include "Terms.h"

#include <string>
#include <string_view>

namespace Morvantis::ExpressionUtils
{

// Takes the next statement off the front of text. text must end where its NUL-terminated
// buffer ends, or before blanks that do. statement and error are always assigned; error is
// empty when the statement parsed.
TermRef parseExpression(std::string_view& text, std::string& statement, std::string& error, std::string* textOut);

// The evaluation driver's form: the nodes live in arena, statement is only assigned when given,
// and the text is taken to be followed by one ";" when semicolonFollows is set (it shows in the
// text of a syntax error).
TermRef parseNextStatement(std::string_view& text, std::string* statement, std::string& error, std::string* textOut,
                           bool semicolonFollows, NodeArena& arena);

} // namespace Morvantis::ExpressionUtils
