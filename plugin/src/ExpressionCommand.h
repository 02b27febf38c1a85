// The "Expression" menu command: evaluates the selection into the status bar and the clipboard.
#pragma once

#include "Editor.h"

#include <Morvantis/Expression.h>

#include <string>

namespace Morvantis::Plugin
{

// Reports every statement of one command to the editor.
class ExprCallback final : public ExpressionUtils::Callback
{
public:
    explicit ExprCallback(Editor& editor) : editor_(editor) {}

    void onResult(const std::string& statement, double value, const std::string& textOut) override;
    void onError(const std::string& statement, const std::string& message) override;

private:
    Editor& editor_;
};

// Runs the command with the command's own evaluator, whose variables last until unload.
// Nothing escapes: the editor calls this from its UI thread.
void onExpressionCommand(Editor& editor) noexcept;

} // namespace Morvantis::Plugin
