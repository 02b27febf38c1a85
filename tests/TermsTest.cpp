#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

TEST(Arithmetic, OperatorsAndIeeeResults)
{
    expectOutcomes({
        {"7 - 2", 5},
        {"2 - 7", -5},
        {"2 * 3 + 4", 10},
        {"1/0", INFINITY},
        {"-1/0", -INFINITY},
        {"0/0", NAN},
        {"5 % 0", NAN},
        {"7 % -3", 1},
        {"-7 % 3", -1},
        {"2^10", 1024},
        {"(-8)^(1/3)", NAN},
        {"2^3^2", 64},
        {"-2^2", 4},
    });
}

TEST(Arithmetic, UndefinedLeftOperandCountsAsAbsent)
{
    expectOutcomes({
        {"(1/0) + 5", 5},
        {"(x) + 3", 3},
        {"5 + (1/0)", INFINITY},
        {"5 - (1/0)", -INFINITY},
        // An absent minuend leaves the negated subtrahend, not the subtrahend itself.
        {"(x) - 3", -3},
        {"(1/0) - 5", -5},
        {"(-1/0) - -2", 2},
        {"(0/0) - (1/0)", -INFINITY},
    });
}

TEST(Comparisons, ToleranceOnlyForEquality)
{
    expectOutcomes({
        {"0.1 + 0.2 == 0.3", 1},
        {"1 == 1 + 1e-12", 0},
        {"1 + 1e-14 == 1", 1},
        {"1 + 1e-14 > 1", 1},
        {"x == x", 0},
        {"x != x", 1},
        {"(1/0) == (1/0)", 1},
        {"(1/0) == (-1/0)", 0},
        {"x > 1", 0},
        {"x <= x", 0},
        {"2 >= 2", 1},
        {"1 < 2", 1},
        {"3 != 3", 0},
    });
}

TEST(Logic, NanCountsAsTrueForOperators)
{
    expectOutcomes({
        {"x && 1", 1},
        {"x || 0", 1},
        {"!x", 0},
        {"0 || 1e-14", 0},
        {"1 && 1e-13", 1},
        {"!1e-14", 1},
        {"!0", 1},
        {"!5", 0},
        {"!!5", 1},
        {"!'abc'", 0},
    });
    Evaluator evaluator;
    evaluate(evaluator, "y = 5");
    EXPECT_EQ(evaluate(evaluator, "!!y").value, 5);
    EXPECT_EQ(evaluate(evaluator, "--y").value, 5);
    EXPECT_EQ(evaluate(evaluator, "-y").value, -5);
}

TEST(EvaluationOrder, RightOperandFirstAndNoShortCircuit)
{
    Evaluator evaluator;
    EXPECT_EQ(evaluate(evaluator, "(a = 1) + (a = 2)").value, 3);
    EXPECT_EQ(evaluator.scope.getVariable("a"), 1);

    EXPECT_EQ(evaluate(evaluator, "(c = 0) && (b = 1)").value, 0);
    EXPECT_EQ(evaluator.scope.getVariable("b"), 1);
    EXPECT_EQ(evaluate(evaluator, "(d = 1) || (e = 1)").value, 1);
    EXPECT_EQ(evaluator.scope.getVariable("e"), 1);

    // The same order holds down a long chain: the rightmost assignment runs first.
    EXPECT_EQ(evaluate(evaluator, "(n = 1) + (n = 2) + (n = 3) + (n = 4)").value, 10);
    EXPECT_EQ(evaluator.scope.getVariable("n"), 1);
    EXPECT_EQ(evaluate(evaluator, "(m = 5) - (m = 2) * (m = 3) - (m = 1)").value, -2);
    EXPECT_EQ(evaluator.scope.getVariable("m"), 5);
}

TEST(Assignment, GivesTheValueAssignedAndStringsAssignNaN)
{
    Evaluator evaluator;
    EXPECT_EQ(evaluate(evaluator, "x = 4").value, 4);
    EXPECT_TRUE(std::isnan(evaluate(evaluator, "s = 'text'").value));
    EXPECT_TRUE(std::isnan(evaluator.scope.getVariable("s")));
    EXPECT_EQ(evaluate(evaluator, "x = y = 3").value, 3);
    EXPECT_EQ(evaluator.scope.getVariable("x"), 3);
    EXPECT_EQ(evaluator.scope.getVariable("y"), 3);
}

// Long flat chains must evaluate and be released without one stack frame per operator.
TEST(LongChains, HundredThousandTermsOnAnEditorSizedStack)
{
    const auto chain = [](const char* first, const char* op, const char* term) {
        std::string text = first;
        for (int i = 1; i < 100000; ++i)
            text += std::string(op) + term;
        return text;
    };
    struct Case
    {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {chain("1", "+", "1"), 100000},
        {chain("1", "\n+ ", "1"), 100000}, // a pasted column
        {chain("0", "-", "1"), -99999},
        {chain("1", "*", "1"), 1},
        {chain("2", "^", "1"), 2},
        {chain("1", " == ", "1"), 1},
        {chain("1", "+", "2*3"), 599995},
        {chain("x = 0; (x)", "+", "(x = 1)"), 100000},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text.substr(0, 20));
        Outcome o{};
        runOnSmallStack([&] { o = evaluate(c.text); });
        EXPECT_TRUE(o.ok) << o.error;
        EXPECT_EQ(o.value, c.value);
    }
}

// Nesting is bounded by the parser, not by the stack: the deepest nests it admits must evaluate
// on an editor-sized stack, whatever the operators hold per frame.
TEST(DeepNesting, TheDeepestAdmittedNestsEvaluateOnAnEditorSizedStack)
{
    const auto nest = [](const char* open, const char* innermost, const char* close, int levels) {
        std::string text;
        for (int i = 0; i < levels; ++i)
            text += open;
        text += innermost;
        for (int i = 0; i < levels; ++i)
            text += close;
        return text;
    };
    const std::string texts[] = {
        nest("1 + (", "1", ")", 299),
        nest("-(2 * ", "1", ")", 149),
        nest("1 + exec(", "1", ")", 255),
    };
    for (const std::string& text : texts)
    {
        SCOPED_TRACE(text.substr(0, 20));
        Outcome o{};
        runOnSmallStack([&] { o = evaluate(text); });
        EXPECT_TRUE(o.ok) << o.error;
    }
}

} // namespace
