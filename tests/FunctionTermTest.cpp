#include "Text.h"
#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

TEST(If, ConditionToleranceAndNan)
{
    expectOutcomes({
        {"if(1, 2)", 2, ""},
        {"if(0, 2)", 0, ""},
        {"if(0, 2, 3)", 3, ""},
        {"if(0.0000005, 2, 3)", 3, ""},
        {"if(0.000001, 2, 3)", 2, ""},
        {"if(-0.000001, 2, 3)", 2, ""},
        {"if(x, 2, 3)", 2, ""},
        {"if('s', 2, 3)", 2, ""},
        {"IF(1,2)", 2, ""},
        {"if(1)", 0, "Function 'if' expects 2 or 3 parameters."},
        {"If(1,2,3,4)", 0, "Function 'if' expects 2 or 3 parameters."},
    });
}

TEST(If, OnlyTheBranchTakenIsEvaluated)
{
    Evaluator evaluator;
    EXPECT_EQ(evaluate(evaluator, "if(1, x = 5, y = 6)").value, 5);
    EXPECT_EQ(evaluator.scope.getVariable("x"), 5);
    EXPECT_TRUE(std::isnan(evaluator.scope.getVariable("y")));
    // A refused count evaluates nothing.
    EXPECT_FALSE(evaluate(evaluator, "if(z = 1)").ok);
    EXPECT_TRUE(std::isnan(evaluator.scope.getVariable("z")));
}

TEST(For, IterationOrderAndLimit)
{
    struct ForCase
    {
        const char* text;
        double value;
        const char* error;
        double i;
    };
    const ForCase cases[] = {
        {"for(i = 0, i < 3, i = i + 1, i)", 2, "", 3},
        {"for(i = 0, 0, i = 1, 7)", 0, "", 0},
        {"for(i = 0, i < 99, i = i + 1, i)", 98, "", 99},
        {"for(i = 0, i < 100, i = i + 1, i)", 0, "Function 'for' exceeded limit.", 100},
        {"for(i = 0, 1, i = i + 1, 0)", 0, "Function 'for' exceeded limit.", 100},
        {"for(i = 0, 3000000000, i = i + 1, 1)", 0, "", 0},
        {"for(i = 0, undefined, i = i + 1, 1)", 0, "", 0},
        {"for(i = 0, 0.4, i = i + 1, 1)", 0, "", 0},
        {"for(i = 0, 1 - i * 0.5, i = i + 1, i)", 1, "", 2}, // 0.5 rounds away from zero
        {"for(1, 2, 3)", 0, "Function 'for' expects 4 parameters.", NAN},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        Evaluator evaluator;
        const Outcome o = evaluate(evaluator, c.text);
        EXPECT_EQ(o.error, c.error);
        if (o.ok)
        {
            EXPECT_EQ(o.value, c.value);
        }
        const double i = evaluator.scope.getVariable("i");
        if (std::isnan(c.i))
            EXPECT_TRUE(std::isnan(i));
        else
            EXPECT_EQ(i, c.i);
    }
}

TEST(Exec, EvaluatesEveryArgumentInOrder)
{
    expectOutcomes({
        {"exec()", 0, ""},
        {"exec(x = 1, x + 1)", 2, ""},
        {"EXEC(1, 2, 3)", 3, ""},
    });
}

TEST(Calls, ArgumentsHaveTheirEffectsBeforeTheNameIsLookedUp)
{
    Evaluator evaluator;
    const Outcome o = evaluate(evaluator, "foo(x = 1)");
    EXPECT_EQ(o.error, "Unknown function 'foo'.");
    EXPECT_EQ(evaluator.scope.getVariable("x"), 1);
    EXPECT_EQ(evaluate("Foo()").error, "Unknown function 'Foo'.");
    EXPECT_EQ(evaluate("sqrtx(4)").error, "Unknown function 'sqrtx'.");
}

std::string nestedExec(int calls, const std::string& innermost)
{
    std::string text;
    for (int i = 0; i < calls; ++i)
        text += "exec(";
    return text + innermost + std::string(static_cast<std::size_t>(calls), ')');
}

TEST(RecursionDepth, TwoHundredFiftySevenCallsAreTheLimit)
{
    expectOutcomes({
        {nestedExec(257, "1"), 1, ""},
        {nestedExec(256, "x"), NAN, ""},
        {nestedExec(257, "x"), 0, "Recursive symbol references"},
        {nestedExec(257, "x = 1"), 0, "Recursive symbol references"},
        {nestedExec(258, "1"), 0, "Recursive symbol references"},
    });
    Outcome o{};
    runOnSmallStack([&] { o = evaluate(nestedExec(257, "1")); });
    EXPECT_TRUE(o.ok) << o.error;
}

TEST(CompareIgnoreCase, FoldsOnlyAsciiLetters)
{
    EXPECT_EQ(compareIgnoreCase("Sqrt", "sqrt"), 0);
    EXPECT_EQ(compareIgnoreCase("sqrt", "sqr"), -1);
    EXPECT_EQ(compareIgnoreCase("abc", "abd"), 3);
    EXPECT_EQ(compareIgnoreCase("", ""), 0);
    EXPECT_EQ(compareIgnoreCase("\xC3\x89", "\xC3\xA9"), 2); // no folding beyond ASCII
    EXPECT_EQ(compareIgnoreCase("[", "{"), 1);
}

} // namespace
