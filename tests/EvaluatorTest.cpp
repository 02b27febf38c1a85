#include "Text.h"
#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <thread>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

// Every report of one call, as "value[statement]" for results and "!message[statement]" for errors.
std::string transcript(const RecordingCallback& callback)
{
    std::string text;
    for (const Report& r : callback.reports)
        text += (text.empty() ? "" : " ") + (r.ok ? testing::PrintToString(r.value) : "!" + r.text) + "[" + r.statement + "]";
    return text;
}

TEST(EvaluateText, ReportsEveryStatementReachedInOrder)
{
    struct Case
    {
        const char* text;
        bool ok;
        double result;
        const char* reports;
    };
    const Case cases[] = {
        {"", true, 0, "0[]"},
        {" \t\r\n\v\f", true, 0, "0[]"},
        {";", true, 0, "0[]"},
        {"1; 2;3", true, 3, "1[1] 2[2] 3[3]"},
        {"5;;", true, 0, "5[5] 0[]"},
        {"x = 2; 3 * x", true, 6, "2[x = 2] 6[3 * x]"},
        {"x = 2; 1 +; y = 3", false, 0, "2[x = 2] !Expected expression after \"+\"[1 +; y = 3;]"},
        {"x = 2; foo(2); y = 3", false, 0, "2[x = 2] !Unknown function 'foo'.[foo(2)]"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(c.text));
        Evaluator evaluator;
        RecordingCallback callback;
        const Outcome o = evaluate(evaluator, c.text, &callback);
        EXPECT_EQ(o.ok, c.ok);
        EXPECT_EQ(o.value, c.result);
        EXPECT_EQ(transcript(callback), c.reports);
        if (!c.ok)
        {
            EXPECT_EQ(o.error, callback.reports.back().text);
            EXPECT_EQ(evaluator.scope.getVariable("x"), 2); // assignments before the failure stay
            EXPECT_TRUE(std::isnan(evaluator.scope.getVariable("y")));
        }
    }
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
