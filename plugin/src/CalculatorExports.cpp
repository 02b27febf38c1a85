#include "CalculatorExports.h"

#include <Morvantis/Expression.h>

#include <limits>
#include <string>

namespace Morvantis::Plugin
{

using namespace ExpressionUtils;

namespace
{

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

double calculate(Evaluator& evaluator, const std::string& text)
{
    if (text.empty())
        return notANumber;
    double result = 0.0;
    std::string error;
    return evaluateText(evaluator, text, &result, &error, nullptr) ? result : notANumber;
}

} // namespace

double calculateUtf8(const char* text) noexcept
{
    try
    {
        static Evaluator exprCalcEvaluator;
        return text == nullptr ? notANumber : calculate(exprCalcEvaluator, text);
    }
    catch (...)
    {
        return notANumber;
    }
}

double calculateWide(const WideChar* text) noexcept
{
    try
    {
        static Evaluator exprCalcWEvaluator;
        if (text == nullptr)
            return notANumber;
        std::string utf8;
        wideToUtf8(text, utf8);
        return calculate(exprCalcWEvaluator, utf8);
    }
    catch (...)
    {
        return notANumber;
    }
}

} // namespace Morvantis::Plugin
