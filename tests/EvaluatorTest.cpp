#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <thread>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

TEST(EvaluateText, EmptyAndBlankTextsGiveOneEmptyStatement)
{
    for (const char* text : {"", "   ", "\t\r\n\v\f", ";"})
    {
        SCOPED_TRACE(testing::PrintToString(text));
        Evaluator evaluator;
        RecordingCallback callback;
        const Outcome o = evaluate(evaluator, text, &callback);
        EXPECT_TRUE(o.ok);
        EXPECT_EQ(o.value, 0.0);
        EXPECT_EQ(o.error, "");
        ASSERT_EQ(callback.reports.size(), 1u);
        EXPECT_TRUE(callback.reports[0].ok);
        EXPECT_EQ(callback.reports[0].statement, "");
        EXPECT_EQ(callback.reports[0].text, "");
    }
}

TEST(EvaluateText, ReportsEveryStatementInOrder)
{
    Evaluator evaluator;
    RecordingCallback callback;
    const Outcome o = evaluate(evaluator, "1; 2;3", &callback);
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(o.value, 3);
    ASSERT_EQ(callback.reports.size(), 3u);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(callback.reports[static_cast<std::size_t>(i)].value, i + 1);
        EXPECT_EQ(callback.reports[static_cast<std::size_t>(i)].statement, std::to_string(i + 1));
    }
}

TEST(EvaluateText, TwoSemicolonsAfterTheLastStatementAddAnEmptyOne)
{
    Evaluator evaluator;
    RecordingCallback callback;
    const Outcome o = evaluate(evaluator, "5;;", &callback);
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(o.value, 0.0);
    ASSERT_EQ(callback.reports.size(), 2u);
    EXPECT_EQ(callback.reports[0].value, 5);
    EXPECT_EQ(callback.reports[1].statement, "");
}

TEST(EvaluateText, FirstFailureStopsTheTextAndKeepsEarlierAssignments)
{
    Evaluator evaluator;
    RecordingCallback callback;
    const Outcome o = evaluate(evaluator, "x = 2; 1 +; y = 3", &callback);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.value, 0.0);
    EXPECT_EQ(o.error, "Expected expression after \"+\"");
    ASSERT_EQ(callback.reports.size(), 2u);
    EXPECT_TRUE(callback.reports[0].ok);
    EXPECT_FALSE(callback.reports[1].ok);
    EXPECT_EQ(callback.reports[1].statement, "1 +; y = 3;");
    EXPECT_EQ(callback.reports[1].text, "Expected expression after \"+\"");
    EXPECT_EQ(evaluator.scope.getVariable("x"), 2);
    EXPECT_TRUE(std::isnan(evaluator.scope.getVariable("y")));
}

TEST(EvaluateText, EvaluationErrorsCarryTheirMessage)
{
    Evaluator evaluator;
    RecordingCallback callback;
    const Outcome o = evaluate(evaluator, "1; foo(2)", &callback);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.error, "Unknown function 'foo'.");
    ASSERT_EQ(callback.reports.size(), 2u);
    EXPECT_EQ(callback.reports[1].statement, "foo(2)");
}

TEST(EvaluateText, VariablesPersistPerEvaluator)
{
    Evaluator first;
    Evaluator second;
    RecordingCallback callback;
    EXPECT_EQ(evaluate(first, "x = 2; 3 * x", &callback).value, 6);
    ASSERT_EQ(callback.reports.size(), 2u);
    EXPECT_EQ(callback.reports[0].value, 2);
    EXPECT_EQ(evaluate(first, "x").value, 2);
    EXPECT_TRUE(std::isnan(evaluate(second, "x").value));
    EXPECT_TRUE(evaluate(second, "never").ok);
}

TEST(EvaluateText, DefaultCallbackIsUsedWhenNoneIsGiven)
{
    RecordingCallback fallback;
    RecordingCallback explicitOne;
    Evaluator evaluator;
    evaluator.defaultCallback = &fallback;
    evaluate(evaluator, "1");
    evaluate(evaluator, "2", &explicitOne);
    EXPECT_EQ(fallback.reports.size(), 1u);
    EXPECT_EQ(explicitOne.reports.size(), 1u);
}

class ThrowingCallback final : public Callback
{
public:
    void onResult(const std::string&, double, const std::string&) override
    {
        ++calls;
        throw std::runtime_error("listener failed");
    }
    void onError(const std::string&, const std::string&) override { ++calls; }
    int calls = 0;
};

TEST(EvaluateText, ExceptionFromACallbackEndsTheCallQuietly)
{
    Evaluator evaluator;
    ThrowingCallback callback;
    const Outcome o = evaluate(evaluator, "1; 2", &callback);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.value, 0.0);
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(callback.calls, 1);
}

class Resolver final : public SymbolResolver
{
public:
    bool has(const std::string& name) override { return name == "r" || name == ".r"; }
    void get(const std::string&, double& value) override { value = 42; }
    void set(const std::string& name, double value) override { written = name + "=" + std::to_string(value); }
    std::string written;
};

TEST(Scope, NamesEmptyNameAndResolvers)
{
    Scope scope;
    EXPECT_TRUE(std::isnan(scope.getVariable("a")));
    scope.setVariable("", 5);
    EXPECT_EQ(scope.getVariable(""), 0.0);
    scope.setVariable("a", 1);
    scope.setVariable("A", 2);
    scope.setVariable("a", 3);
    EXPECT_EQ(scope.getVariable("a"), 3);
    EXPECT_EQ(scope.getVariable("A"), 2);

    Resolver resolver;
    scope.setVariable(".r", 7);
    scope.addResolver(&resolver);
    EXPECT_EQ(scope.getVariable("r"), 42);
    EXPECT_EQ(scope.getVariable(".r"), 7); // reads of dotted names skip the resolvers
    scope.setVariable(".r", 8);           // but writes do not
    EXPECT_EQ(resolver.written, ".r=8.000000");
    EXPECT_EQ(scope.getVariable(".r"), 7);
}

TEST(Scope, ConcurrentWritersKeepTheTableConsistent)
{
    Evaluator evaluator;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&evaluator, t] {
            for (int i = 0; i < 200; ++i)
            {
                double result = 0;
                std::string error;
                const std::string name = "v" + std::to_string(t) + "_" + std::to_string(i);
                evaluateText(evaluator, name + " = " + std::to_string(i) + "; shared = " + name, &result, &error,
                             nullptr);
            }
        });
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(evaluator.scope.getVariable("v" + std::to_string(t) + "_199"), 199);
}

TEST(Trim, BlanksAreSpaceAndNineToThirteenOnly)
{
    std::string text = " \t\n\v\f\r a \xA0 \r\n";
    trimLeft(text);
    EXPECT_EQ(text, "a \xA0 \r\n");
    trimRight(text);
    EXPECT_EQ(text, "a \xA0");
    std::string blank = " \t ";
    trimRight(blank);
    EXPECT_EQ(blank, "");
}

} // namespace
