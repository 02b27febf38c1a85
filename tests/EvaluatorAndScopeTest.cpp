#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <tuple>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

// Every report of one call, as "value[statement]" for results and "!message[statement]" for errors.
class Transcript final : public Callback
{
  public:
    void onResult(const std::string& statement, double value, const std::string&) override
    {
        text += (text.empty() ? "" : " ") + testing::PrintToString(value) + "[" + statement + "]";
        if (throwing)
            throw std::runtime_error("listener failed");
    }
    void onError(const std::string& statement, const std::string& message) override
    {
        text += (text.empty() ? "!" : " !") + message + "[" + statement + "]";
    }
    std::string text;
    bool throwing = false;
};

TEST(EvaluateText, ReportsEveryStatementReachedInOrder)
{
    // text, success, value, reports
    // clang-format off
    const std::tuple<const char*, bool, double, const char*> cases[] = {
        {"", true, 0, "0[]"}, {" \t\r\n\v\f", true, 0, "0[]"}, {"7;\t\n", true, 7, "7[7]"},
        {"1; 2;3", true, 3, "1[1] 2[2] 3[3]"}, {"5;;", true, 0, "5[5] 0[]"},
        {"x = 2; 3 * x", true, 6, "2[x = 2] 6[3 * x]"},
        {"x = 2; 1 +; y = 3", false, 0, "2[x = 2] !Expected expression after \"+\"[1 +; y = 3;]"},
        // A call refused for its count runs nothing; a built-in's arguments run before its name is looked up.
        {"x = 2; if(y = 1); y = 3", false, 0, "2[x = 2] !Function 'if' expects 2 or 3 parameters.[if(y = 1)]"},
        {"foo(x = 2); y = 3", false, 0, "!Unknown function 'foo'.[foo(x = 2)]"},
    };
    // clang-format on
    for (const auto& [text, ok, result, reports] : cases)
    {
        SCOPED_TRACE(testing::PrintToString(text));
        Evaluator evaluator;
        Transcript callback;
        const Outcome o = evaluate(evaluator, text, &callback);
        EXPECT_EQ(std::tie(o.ok, o.value, callback.text), std::make_tuple(ok, result, std::string(reports)));
        if (!ok)
        {
            EXPECT_NE(callback.text.find("!" + o.error + "["), std::string::npos);
            EXPECT_EQ(evaluator.scope.getVariable("x"), 2); // assignments before the failure stay
            EXPECT_TRUE(std::isnan(evaluator.scope.getVariable("y")));
        }
    }
}

// The default callback stands in for a missing one; an exception from a callback ends the call quietly.
TEST(EvaluateText, DefaultAndThrowingCallbacks)
{
    Transcript fallback, given;
    Evaluator evaluator;
    evaluator.defaultCallback = &fallback;
    evaluate(evaluator, "1");
    evaluate(evaluator, "2", &given);
    EXPECT_EQ(fallback.text, "1[1]");
    EXPECT_EQ(given.text, "2[2]");
    given.throwing = true;
    const Outcome o = evaluate(evaluator, "3; 4", &given);
    EXPECT_EQ(std::tie(o.ok, o.value, o.error, given.text), std::make_tuple(false, 0.0, "", "2[2] 3[3]"));
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

    Resolver resolver;
    scope.setVariable(".r", 7);
    scope.addResolver(&resolver);
    EXPECT_EQ(scope.getVariable("r"), 42);
    EXPECT_EQ(scope.getVariable(".r"), 7); // reads of dotted names skip the resolvers
    scope.setVariable(".r", 8);            // but writes do not
    EXPECT_EQ(resolver.written, ".r=8.000000");
    EXPECT_EQ(scope.getVariable(".r"), 7);
}

} // namespace
