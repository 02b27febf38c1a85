#include "Session.h"

#include <cmath>

namespace Host
{

void runExportCases(Session& session, Checks& checks)
{
    auto& plugin = session.plugin;
    const double nan = std::nan("");
    checks.expectEqual(plugin.exprCalc(nullptr), nan, "exprCalc(nullptr)");
    checks.expectEqual(plugin.exprCalcW(nullptr), nan, "exprCalcW(nullptr)");

    // Three evaluators: the command's, exprCalc's and exprCalcW's.
    checks.expectEqual(plugin.exprCalc("hv = 5"), 5.0, "exprCalc assigns");
    checks.expectEqual(plugin.exprCalcW(L"hv"), nan, "exprCalcW does not see it");
    checks.expectEqual(session.evaluate("hv"), L"Expr: hv = ---\n", "the command does not see it");
    checks.expectEqual(plugin.exprCalcW(L"hv = 8"), 8.0, "exprCalcW assigns its own");
    checks.expectEqual(session.evaluate("hv = 1"), L"Expr: hv = 1 = 1\n", "the command assigns its own");
    checks.expectEqual(plugin.exprCalc("hv"), 5.0, "exprCalc unchanged");
    checks.expectEqual(plugin.exprCalcW(L"hv"), 8.0, "exprCalcW unchanged");
    checks.expectEqual(plugin.exprCalc("kept = 3; sqrt()"), nan, "a failing text gives NaN");
    checks.expectEqual(plugin.exprCalc("kept"), 3.0, "assignments before the failure stay");
    checks.expectEqual(plugin.exprCalcW(L"1; 2^0.5"), std::sqrt(2.0), "the last statement's value");
}

} // namespace Host
