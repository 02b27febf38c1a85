#include "NumberReader.h"
#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

struct ShapeCase
{
    const char* text;
    const char* tree;
};

void expectShapes(const std::vector<ShapeCase>& cases)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        const ParseResult r = parseFirst(c.text);
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(treeText(r.tree), c.tree);
    }
}

struct ErrorCase
{
    const char* text;
    const char* message;
};

void expectErrors(const std::vector<ErrorCase>& cases)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseFirst(c.text).error, c.message);
    }
}

TEST(StatementReader, SkipsSemicolonsOnceAndTrimsTheStatementText)
{
    struct Case
    {
        const char* text;
        const char* tree;
        const char* statement;
        const char* remaining;
    };
    const Case cases[] = {
        {";", "0", "", ""},
        {";;", "0", "", ""},
        {" ; ", "0", "", ""},
        {";;1;", "1", "1", ""},
        {"x = 5 ;  y;", "(= x 5)", "x = 5", "  y;"},
        {"  7\t;\n8;", "7", "7", "\n8;"},
        {"1", "1", "1", ""}, // the end of the text ends a statement too
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        const ParseResult r = parseFirst(c.text);
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(treeText(r.tree), c.tree);
        EXPECT_EQ(r.statement, c.statement);
        EXPECT_EQ(r.remaining, c.remaining);
    }
}

TEST(StatementReader, SyntaxErrorQuotesTheWholeRemainingText)
{
    expectErrors({
        {"; ; 1;", "Syntax error: \"; 1;\""},
        {"1 2;", "Syntax error: \"1 2;\""},
        {"2 3; 4;", "Syntax error: \"2 3; 4;\""},
        {"x + 1;", "Syntax error: \"x + 1;\""},
        {"sin(1) * 2;", "Syntax error: \"sin(1) * 2;\""},
        {"x = 1 x;", "Syntax error: \"x = 1 x;\""},
        {"2x;", "Syntax error: \"2x;\""},
        {"1e;", "Syntax error: \"1e;\""},
        {"0b2;", "Syntax error: \"0b2;\""},
        {"2 * nano;", "Syntax error: \"2 * nano;\""},
        {"(1 + 2;", "Syntax error: \"(1 + 2;\""},
        {"(1 2;", "Syntax error: \"(1 2;\""},
        {"1 = 2;", "Syntax error: \"1 = 2;\""},
        {".5 + 1;", "Syntax error: \".5 + 1;\""},
        {")", "Syntax error: \")\""},
    });
    const ParseResult r = parseFirst("1; 2 3;");
    EXPECT_EQ(r.statement, "1");
    const ParseResult second = parseFirst(r.remaining);
    EXPECT_EQ(second.statement, "2 3;");
    EXPECT_EQ(second.error, "Syntax error: \"2 3;\"");
}

TEST(StatementReader, StatementsThatBeginWithANameContinueOnlyWithComparisons)
{
    expectShapes({
        {"x;", "x"},
        {"sin(1);", "sin(1)"},
        {"x = 1 + 2;", "(= x (+ 1 2))"},
        {"x == 1;", "(== x 1)"},
        {"x > 1 && y + 1 > 2;", "(> (&& (> x 1) (+ y 1)) 2)"},
        {"1 + x;", "(+ 1 x)"},
        {"+x + 1;", "(+ x 1)"},
        {"-x + 1;", "(+ (neg x) 1)"},
        {"(x) + 1;", "(+ x 1)"},
        {"2 * sin(1);", "(* 2 sin(1))"},
    });
}

TEST(OperatorReaders, PrecedenceAndLeftGrouping)
{
    expectShapes({
        {"1 + 2 * 3;", "(+ 1 (* 2 3))"},
        {"1 - 2 - 3;", "(- (- 1 2) 3)"},
        {"8 / 4 % 3;", "(% (/ 8 4) 3)"},
        {"2^3^2;", "(^ (^ 2 3) 2)"},
        {"-2^2;", "(^ -2 2)"},
        {"1 || 0 && 0;", "(&& (|| 1 0) 0)"},
        {"a == b && c;", "(&& (== a b) c)"},
        {"1 < 2 == 1;", "(== (< 1 2) 1)"},
        {"1 >= 2;", "(>= 1 2)"},
        {"1 <= 2 != 3;", "(!= (<= 1 2) 3)"},
        {"1 + x = 2 * 3;", "(+ 1 (= x (* 2 3)))"},
        {"x = y = 3;", "(= x (= y 3))"},
        {"x =1;", "(= x 1)"},
        {"a||b;", "a||b"},
        {"a || b;", "(|| a b)"},
        {"((1));", "1"},
    });
}

TEST(OperatorReaders, MissingOperandMessages)
{
    expectErrors({
        {"x >;", "Expected expression after compare operator"},
        {"1 >;", "Expected expression after compare operator"},
        {"x<>1;", "Expected expression after compare operator"},
        {"x > = 1;", "Expected expression after compare operator"},
        {"1 +;", "Expected expression after \"+\""},
        {"1 +* 2;", "Expected expression after \"+\""},
        {"1 - ;", "Expected expression after \"-\""},
        {"2 * ;", "Expected expression after \"*\""},
        {"2 / ;", "Expected expression after \"/\""},
        {"2 % ;", "Expected expression after \"%\""},
        {"2 ^;", "Expected expression after \"^\""},
        {"-;", "Expected expression after \"-\""},
        {"!;", "Expected expression after \"!\""},
        {"+;", "Expected expression after \"+\""},
        {"1 + (2;", "Expected expression after \"+\""},
        {"x = ;", "Expected expression after \"=\""},
        {"x = = 1;", "Expected expression after \"=\""},
    });
}

TEST(PrefixReader, FoldsConstantsAndCancelsPairs)
{
    expectShapes({
        {"-5;", "-5"},
        {"--5;", "5"},
        {"!0;", "1"},
        {"!5;", "0"},
        {"!!5;", "1"},
        {"!!x;", "x"},
        {"--x;", "x"},
        {"+-+x;", "(neg x)"},
        {"!-x;", "(not (neg x))"},
        {"-'abc';", "'abc'"},
        {"!'abc';", "(not 'abc')"},
        {"-(1 + 2);", "(neg (+ 1 2))"},
    });
}

TEST(CallReader, ArgumentsAndMessages)
{
    expectShapes({
        {"f();", "f()"},
        {"f( );", "f()"},
        {"f ();", "f()"},
        {"f(1, 2);", "f(1 2)"},
        {"f(g(x), 'a', -y);", "f(g(x) 'a' (neg y))"},
    });
    expectErrors({
        {"f(1,);", "Expected expression after \",\""},
        {"f(,1);", "Expected parameters after \"f (\""},
        {"f(;", "Expected parameters after \"f (\""},
        {"f(1 2;", "Expected \")\""},
        {"f(1+);", "Expected expression after \"+\""},
    });
    // The call comes back without arguments beside the message, and the driver reports it.
    const ParseResult r = parseFirst("f(1+);");
    EXPECT_EQ(treeText(r.tree), "f()");
}

TEST(QuotedStrings, AnyOfThreeQuotesWithoutEscapes)
{
    expectShapes({
        {"'abc';", "'abc'"},
        {"'';", "''"},
        {"'a\"b';", "'a\"b'"},
        {"\"x;y\";", "'x;y'"},
        {"`a'b`;", "'a'b'"},
        {"1 + 'a b';", "(+ 1 'a b')"},
    });
    expectErrors({
        {"'abc;", "Expected quote character"},
        {"';", "Expected quote character"},
    });
}

TEST(NumberReader, FormsAndWhereTheyStop)
{
    struct Case
    {
        const char* text;
        double value;
        int read;
    };
    const Case cases[] = {
        {"0b101", 5, 5},
        {"0B111111111111111111111111111111111", 4294967295.0, 35},
        {"0b", 0, 2},
        {"0b2", 0, 2},
        {"0x1F", 31, 4},
        {"0X1f", 31, 4},
        {"0x1.8p1", 3, 7},
        {"0x", 0, 1},
        {"0xg", 0, 1},
        {"1e3", 1000, 3},
        {"1e", 1, 1},
        {"1e+", 1, 1},
        {"2.5E-1", 0.25, 6},
        {"5.", 5, 2},
        {".5", 0.5, 2},
        {"1e400", INFINITY, 5},
        {"1e-400", 0, 6},
        {"0x1p99999", INFINITY, 9},
        {"4.9406564584124654e-324", 4.9406564584124654e-324, 23},
        {"inf", INFINITY, 3},
        {"Infinity", INFINITY, 8},
        {"infinit", INFINITY, 3},
        {"x", NAN, 0},
        {".", NAN, 0},
        {"", NAN, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        const char* end = nullptr;
        const double value = parseNumber(c.text, &end);
        EXPECT_EQ(end - c.text, c.read);
        if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(value));
        else
            EXPECT_EQ(value, c.value);
    }
    const char* end = nullptr;
    EXPECT_TRUE(std::isnan(parseNumber("NaN(abc_1)x", &end)));
    EXPECT_EQ(*end, 'x');
    EXPECT_TRUE(std::isnan(parseNumber(nullptr, nullptr)));
}

// Short plain decimals take a quicker path than the rest; both must agree with strtod in the
// "C" locale on value and stop byte.
TEST(NumberReader, AgreesWithStrtodOnGeneratedNumbers)
{
    std::mt19937 random(20261206);
    const std::string alphabet = "0123456789012345678901234567890123456789..eE+-x";
    for (int i = 0; i < 200000; ++i)
    {
        std::string text(1 + random() % 24, '0');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        text[0] = alphabet[random() % 11];
        SCOPED_TRACE(text);
        const char* end = nullptr;
        const double value = parseNumber(text.c_str(), &end);
        char* expectedEnd = nullptr;
        const double expected = std::strtod(text.c_str(), &expectedEnd);
        if (expectedEnd == text.c_str())
        {
            EXPECT_EQ(end, text.c_str());
            continue;
        }
        ASSERT_EQ(end, expectedEnd);
        ASSERT_EQ(value, expected);
    }
}

TEST(NumberReader, WordsAreNumbersInsideExpressionsButNamesAtTheStart)
{
    expectShapes({
        {"inf;", "inf"},
        {"nan;", "nan"},
        {"2 * inf;", "(* 2 inf)"},
        {"1 + .5;", "(+ 1 0.5)"},
        {".5;", ".5"},
        {".x;", ".x"},
    });
    EXPECT_EQ(parseFirst("x.y;").error, "Syntax error: \"x.y;\"");
}

TEST(Nesting, DeepInputIsRefusedWithAMessageInsteadOfOverflowingTheStack)
{
    std::vector<std::string> texts;
    texts.push_back(std::string(100000, '(') + "1" + std::string(100000, ')') + ";");
    texts.push_back(std::string(100000, '-') + "x;");
    texts.push_back(std::string(100000, '!') + "1;");
    std::string calls;
    for (int i = 0; i < 100000; ++i)
        calls += "f(";
    texts.push_back(calls + ";");
    std::string assignments;
    for (int i = 0; i < 100000; ++i)
        assignments += "a = ";
    texts.push_back(assignments + "1;");

    for (const std::string& text : texts)
    {
        SCOPED_TRACE(text.substr(0, 12));
        std::string error;
        runOnSmallStack([&] { error = parseFirst(text).error; });
        EXPECT_EQ(error, "Expression nested too deeply.");
    }
}

TEST(Nesting, TheLimitAdmitsWhatTheEvaluatorAccepts)
{
    std::string calls;
    for (int i = 0; i < 280; ++i)
        calls += "exec(";
    calls += "1" + std::string(280, ')') + ";";
    const std::string parentheses = std::string(280, '(') + "1" + std::string(280, ')') + ";";
    for (const std::string& text : {calls, parentheses})
    {
        std::string error;
        runOnSmallStack([&] { error = parseFirst(text).error; });
        EXPECT_EQ(error, "");
    }
}

} // namespace
