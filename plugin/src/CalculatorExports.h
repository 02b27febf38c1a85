// The bodies of the exported calculator functions exprCalc and exprCalcW.
#pragma once

#include <Morvantis/TextConversion.h>

namespace Morvantis::Plugin
{

// Each keeps its own evaluator: variables never cross between them or the menu command.
// Value of the last statement; NaN for a null or empty text and for any failure.
double calculateUtf8(const char* text) noexcept;
double calculateWide(const ExpressionUtils::WideChar* text) noexcept;

} // namespace Morvantis::Plugin
