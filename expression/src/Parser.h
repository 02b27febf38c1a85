// Turns the next statement of a text into a term tree.
#pragma once

#include "Terms.h"

#include <string>
#include <string_view>

namespace Morvantis::ExpressionUtils
{

// Takes the next statement off the front of text. text must end where its NUL-terminated
// buffer ends. statement and error are always assigned; error is empty when the statement parsed.
TermRef parseExpression(std::string_view& text, std::string& statement, std::string& error, std::string* textOut);

} // namespace Morvantis::ExpressionUtils
