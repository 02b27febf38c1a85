#include "Parser.h"
#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

// The shape of a tree: numbers in shortest form, operators prefix, e.g. "(+ 1 (* 2 3))".
inline std::string treeText(const TermRef& term)
{
    if (!term)
        return "null";
    Term* t = term.get();
    if (auto* c = dynamic_cast<ConstantTerm*>(t))
    {
        char buffer[64];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, c->getValue());
        return std::string(buffer, r.ptr);
    }
    if (dynamic_cast<StringTerm*>(t) != nullptr)
        return "'" + t->toString() + "'";
    if (dynamic_cast<SymbolTerm*>(t) != nullptr)
        return t->getText();
    if (auto* f = dynamic_cast<FunctionTerm*>(t))
    {
        std::string text = f->getText() + "(";
        for (std::size_t i = 0; i < f->arguments().size(); ++i)
            text += (i ? " " : "") + treeText(f->arguments()[i]);
        return text + ")";
    }
    if (auto* n = dynamic_cast<Negate*>(t))
        return "(neg " + treeText(n->operand()) + ")";
    if (auto* n = dynamic_cast<LogicNot*>(t))
        return "(not " + treeText(n->operand()) + ")";
    auto* b = dynamic_cast<BinaryTerm*>(t);
    return "(" + b->getText() + " " + treeText(b->left()) + " " + treeText(b->right()) + ")";
}

struct ParseResult
{
    TermRef tree;
    std::string statement;
    std::string error;
    std::string remaining;
};

// Parses the first statement of text as the driver hands it over.
inline ParseResult parseFirst(const std::string& text)
{
    std::string buffer = text;
    std::string_view view(buffer);
    ParseResult r;
    std::string textOut;
    r.tree = parseExpression(view, r.statement, r.error, &textOut);
    r.remaining.assign(view);
    return r;
}

struct ParseCase
{
    std::string text;
    std::string expected; // the tree's shape, or the error message after "!"
};

void expectParses(const std::vector<ParseCase>& cases)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text.substr(0, 40));
        std::string got;
        runOnSmallStack(
            [&]
            {
                const ParseResult r = parseFirst(c.text);
                got = r.error.empty() ? treeText(r.tree) : "!" + r.error;
            });
        EXPECT_EQ(got, c.expected);
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
    const ParseResult second = parseFirst(parseFirst("1; 2 3;").remaining);
    EXPECT_EQ(second.statement, "2 3;");
    EXPECT_EQ(second.error, "Syntax error: \"2 3;\"");
}

// clang-format off
TEST(Readers, ShapesOfTrees)
{
    expectParses({
        // A statement that begins with a name continues only with compare and logic operators.
        {"x = 1 + 2;", "(= x (+ 1 2))"}, {"x == 1;", "(== x 1)"}, {"-x + 1;", "(+ (neg x) 1)"},
        {"x > 1 && y + 1 > 2;", "(> (&& (> x 1) (+ y 1)) 2)"},
        {"x + 1;", "!Syntax error: \"x + 1;\""}, {"sin(1) * 2;", "!Syntax error: \"sin(1) * 2;\""},
        // Precedence, and every level groups from the left.
        {"1 + 2 * 3;", "(+ 1 (* 2 3))"}, {"1 - 2 - 3;", "(- (- 1 2) 3)"}, {"8 / 4 % 3;", "(% (/ 8 4) 3)"},
        {"2^3^2;", "(^ (^ 2 3) 2)"}, {"-2^2;", "(^ -2 2)"}, {"2 * 3 ^ 2;", "(* 2 (^ 3 2))"}, {"1 || 0 && 0;", "(&& (|| 1 0) 0)"},
        {"1 < 2 == 1;", "(== (< 1 2) 1)"}, {"1 >= 2 > 3;", "(> (>= 1 2) 3)"}, {"1 <= 2 != 3;", "(!= (<= 1 2) 3)"},
        {"1 + x = 2 * 3;", "(+ 1 (= x (* 2 3)))"}, {"x = y = 3;", "(= x (= y 3))"}, {"a||b;", "a||b"},
        {"_x9|Y = 1;", "(= _x9|Y 1)"}, {"((1));", "1"},
        // Prefixes fold into constants and cancel in pairs.
        {"--5;", "5"}, {"!0;", "1"}, {"!!5;", "1"}, {"!!x;", "x"}, {"+-+x;", "(neg x)"},
        {"!-x;", "(not (neg x))"}, {"-'abc';", "'abc'"}, {"-(1 + 2);", "(neg (+ 1 2))"},
        // Calls and quotes.
        {"f ( );", "f()"}, {"f(g(x), 'a', -y);", "f(g(x) 'a' (neg y))"}, {"'';", "''"}, {"\"x;y\";", "'x;y'"},
        {"`a'b`;", "'a'b'"},
        // Words are numbers inside expressions but names at the start of a statement.
        {"inf;", "inf"}, {"2 * inf;", "(* 2 inf)"}, {"1 + .5;", "(+ 1 0.5)"}, {".x;", ".x"},
    });
}

TEST(Readers, Messages)
{
    expectParses({
        {"; ; 1;", "!Syntax error: \"; 1;\""}, {"1 2;", "!Syntax error: \"1 2;\""}, {"2x;", "!Syntax error: \"2x;\""},
        {"0b2;", "!Syntax error: \"0b2;\""}, {"2 * nano;", "!Syntax error: \"2 * nano;\""},
        {"(1 2;", "!Syntax error: \"(1 2;\""}, {"1 = 2;", "!Syntax error: \"1 = 2;\""},
        {".5 + 1;", "!Syntax error: \".5 + 1;\""}, {"x.y;", "!Syntax error: \"x.y;\""},
        {"x<>1;", "!Expected expression after compare operator"},
        {"x > = 1;", "!Expected expression after compare operator"},
        {"1 +* 2;", "!Expected expression after \"+\""}, {"1 + (2;", "!Expected expression after \"+\""},
        {"2 % ;", "!Expected expression after \"%\""}, {"2 ^;", "!Expected expression after \"^\""},
        {"-;", "!Expected expression after \"-\""}, {"!;", "!Expected expression after \"!\""},
        {"x = = 1;", "!Expected expression after \"=\""}, {"f(1,);", "!Expected expression after \",\""},
        {"f(,1);", "!Expected parameters after \"f (\""}, {"f(1 2;", "!Expected \")\""},
        {"'abc;", "!Expected quote character"}, {"';", "!Expected quote character"},
    });
}
// clang-format on

TEST(Readers, NestingIsRefusedBeforeItOverflowsTheStack)
{
    const auto repeat = [](const std::string& part, int times)
    {
        std::string text;
        for (int i = 0; i < times; ++i)
            text += part;
        return text;
    };
    const std::string tooDeep = "!Expression nested too deeply.";
    expectParses({
        {repeat("(", 100000) + "1" + repeat(")", 100000) + ";", tooDeep},
        {repeat("-", 100000) + "x;", tooDeep},
        {repeat("f(", 100000) + ";", tooDeep},
        {repeat("a = ", 100000) + "1;", tooDeep},
        // The limit admits what the evaluator accepts.
        {repeat("(", 280) + "1" + repeat(")", 280) + ";", "1"},
    });
}

} // namespace
