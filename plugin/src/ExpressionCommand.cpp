#include "ExpressionCommand.h"

#include <Morvantis/Expression.h>

#include <string>

namespace Morvantis::Plugin
{

using namespace ExpressionUtils;

namespace
{

WideString wide(const std::string& utf8)
{
    WideString out;
    utf8ToWide(utf8, out);
    return out;
}

// Reports every statement of one command to the editor.
class ExprCallback final : public Callback
{
  public:
    explicit ExprCallback(Editor& editor) : editor_(editor) {}

    void onResult(const std::string& statement, double value, const std::string& textOut) override
    {
        const std::string number = numberToString(value);
        editor_.copyToClipboard(textOut.empty() ? number : textOut);
        editor_.setStatusText(wide("Expr: " + statement + " = " + number + "\n"));
    }

    void onError(const std::string&, const std::string& message) override
    {
        editor_.copyToClipboard("ERROR");
        editor_.setStatusText(wide("Expr ERROR: " + message + "\n"));
    }

  private:
    Editor& editor_;
};

} // namespace

void runExpressionCommand(Editor& editor, Evaluator& evaluator) noexcept
{
    try
    {
        ExprCallback callback(editor);

        const std::string text = editor.selectedText();
        if (text.empty())
        {
            editor.setStatusText(wide("Expr: EMPTY"));
            return;
        }
        editor.setStatusText(wide("Expr: ..."));

        // The callback has reported every statement reached; the flag adds nothing.
        double result = 0.0;
        std::string error;
        evaluateText(evaluator, text, &result, &error, &callback);
    }
    catch (...)
    {
        // An editor must never see an exception from a plugin command.
    }
}

void onExpressionCommand(Editor& editor) noexcept
{
    try
    {
        static Evaluator expressionEvaluator;
        runExpressionCommand(editor, expressionEvaluator);
    }
    catch (...)
    {
        // Only the evaluator's first construction can throw here.
    }
}

} // namespace Morvantis::Plugin
