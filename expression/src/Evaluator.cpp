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
        return tree->evaluateNumber(scope, 0);
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
        std::string statement; // only made for the callback
        std::string textOut;
        NodeArena arena;
        // The remaining text is a view over the caller's trimmed text, so taking a statement off its
        // front costs nothing however long the text is. The text counts as ending with ";".
        std::string_view remaining(text);
        trimLeft(remaining);
        trimRight(remaining);
        const bool semicolonFollows = remaining.empty() || remaining.back() != ';';
        do
        {
            TermRef tree = parseNextStatement(remaining, callback != nullptr ? &statement : nullptr, *error, &textOut,
                                              semicolonFollows, arena);
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
            tree.reset(); // the last node goes before its memory
            arena.reset();
        } while (!remaining.empty());
        return true;
    }
    catch (...)
    {
        *result = 0.0;
        return false;
    }
}

} // namespace Morvantis::ExpressionUtils
