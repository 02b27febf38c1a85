// The evaluation driver: one statement after the other, each reported to the callback.
#include "Parser.h"
#include "Text.h"

#include <Morvantis/Expression.h>

namespace Morvantis::ExpressionUtils
{

namespace
{
// The value of tree; on failure error receives the message and the result is 0.
double evaluateTerm(const TermRef& tree, Scope& scope, std::string* error)
{
    try
    {
        const TermRef result = tree->evaluate(scope, 0);
        return result->getValue();
    }
    catch (const ErrorException& e)
    {
        *error = e.what();
    }
    catch (...)
    {
        *error = "Unknown error!";
    }
    return 0.0;
}
} // namespace

// Statements run strictly one after the other: each is parsed only after the previous one
// was evaluated and reported, and the first failure ends the text.
bool evaluateText(Evaluator& evaluator, const std::string& text, double* result, std::string* error,
                  Callback* callback) noexcept
{
    if (callback == nullptr)
        callback = evaluator.defaultCallback;
    try
    {
        error->clear();
        std::string statement;
        std::string textOut;
        std::string copy = text;
        trimLeft(copy);
        trimRight(copy);
        if (copy.empty() || copy.back() != ';')
            copy += ';';

        // The remaining text is a view over the copy, so taking a statement off its front costs
        // nothing however long the text is.
        std::string_view remaining(copy);
        while (!remaining.empty())
        {
            const TermRef tree = parseExpression(remaining, statement, *error, &textOut);
            const double value = error->empty() ? evaluateTerm(tree, evaluator.scope, error) : 0.0;
            *result = value;
            if (!error->empty())
            {
                *result = 0.0;
                if (callback != nullptr)
                    callback->onError(statement, *error);
                return false;
            }
            if (callback != nullptr)
                callback->onResult(statement, value, textOut);
        }
        return true;
    }
    catch (...)
    {
        *result = 0.0;
        return false;
    }
}

} // namespace Morvantis::ExpressionUtils
