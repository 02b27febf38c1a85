// The "Expression" menu command: evaluates the selection into the status bar and the clipboard.
#pragma once

#include "Editor.h"

namespace Morvantis::ExpressionUtils
{
struct Evaluator;
}

namespace Morvantis::Plugin
{

// Runs the command with the command's own evaluator, whose variables last until unload.
// Nothing escapes: the editor calls this from its UI thread.
void onExpressionCommand(Editor& editor) noexcept;

// The command's body with the variables of evaluator; tests give each run variables of its own.
void runExpressionCommand(Editor& editor, ExpressionUtils::Evaluator& evaluator) noexcept;

} // namespace Morvantis::Plugin
