// Evaluation of one parsed statement.
#pragma once

#include "Terms.h"

#include <string>

namespace Morvantis::ExpressionUtils
{

// The value of tree; on failure error receives the message and the result is 0.
double evaluateTerm(const TermRef& tree, Scope& scope, std::string* error);

} // namespace Morvantis::ExpressionUtils
