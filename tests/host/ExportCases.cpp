#include "Session.h"

#include <cmath>
#include <limits>

namespace Host
{

void runExportCases(Session& session, Checks& checks)
{
    auto& plugin = session.plugin;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"1+2", 3.0},  {"", nan},           {"   ", 0.0},           {"\t\r\n", 0.0}, {"1; 2", 2.0},
        {"5;;", 0.0},  {"1; sqrt()", nan},  {"print('a'); 7", 7.0}, {"1/0", inf},    {"2^0.5", std::sqrt(2.0)},
    };
    for (const auto& c : cases)
    {
        checks.expectEqual(plugin.exprCalc(c.text), c.expected, std::string("exprCalc(\"") + c.text + "\")");
        checks.expectEqual(plugin.exprCalcW(widen(c.text).c_str()), c.expected,
                           std::string("exprCalcW(L\"") + c.text + "\")");
    }
    checks.expectEqual(plugin.exprCalc(nullptr), nan, "exprCalc(nullptr)");
    checks.expectEqual(plugin.exprCalcW(nullptr), nan, "exprCalcW(nullptr)");

    // A surrogate pair is two 3-byte sequences for exprCalcW, one 4-byte sequence for exprCalc.
    checks.expectEqual(plugin.exprCalc("md5('\xF0\x9F\x98\x80')"), 4.0, "exprCalc sees UTF-8 bytes");
    checks.expectEqual(plugin.exprCalcW(L"md5('\U0001F600')"), 6.0, "exprCalcW encodes each unit alone");

    // Three evaluators: the command's, exprCalc's and exprCalcW's.
    checks.expectEqual(plugin.exprCalc("hv = 5"), 5.0, "exprCalc assigns");
    checks.expectEqual(plugin.exprCalc("hv"), 5.0, "exprCalc keeps its variable");
    checks.expectEqual(plugin.exprCalcW(L"hv"), nan, "exprCalcW does not see it");
    checks.expectEqual(session.evaluate("hv"), L"Expr: hv = ---\n", "the command does not see it");
    checks.expectEqual(plugin.exprCalcW(L"hv = 8"), 8.0, "exprCalcW assigns its own");
    checks.expectEqual(session.evaluate("hv = 1"), L"Expr: hv = 1 = 1\n", "the command assigns its own");
    checks.expectEqual(plugin.exprCalc("hv"), 5.0, "exprCalc unchanged");
    checks.expectEqual(plugin.exprCalcW(L"hv"), 8.0, "exprCalcW unchanged");
    checks.expectEqual(plugin.exprCalc("kept = 3; sqrt()"), nan, "a failing text gives NaN");
    checks.expectEqual(plugin.exprCalc("kept"), 3.0, "assignments before the failure stay");
}

} // namespace Host
