#include "Parser.h"
#include "support/EngineTesting.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

namespace
{

// The shape of a tree: numbers in shortest form, operators prefix, e.g. "(+ 1 (* 2 3))".
std::string treeText(const TermRef& term)
{
    Term* t = term.get();
    if (auto* c = dynamic_cast<ConstantTerm*>(t))
        return testing::PrintToString(c->getValue());
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

// Parses the first statement of text as the driver hands it over: the tree's shape, or the error
// message after "!"; the statement's text; what remains after a statement that parsed.
std::tuple<std::string, std::string, std::string> parseFirst(const std::string& text)
{
    std::string_view view(text);
    std::string statement, error, textOut;
    const TermRef tree = parseExpression(view, statement, error, &textOut);
    if (!error.empty())
        return {"!" + error, statement, {}};
    return {treeText(tree), statement, std::string(view)};
}

// Each text, parsed on an editor-sized stack, and the shape or message it must give.
void expectParses(const std::vector<std::pair<std::string, std::string>>& cases)
{
    for (const auto& [text, expected] : cases)
    {
        std::string got;
        runOnSmallStack([&, &text = text] { got = std::get<0>(parseFirst(text)); });
        EXPECT_EQ(got, expected) << text.substr(0, 40);
    }
}

TEST(StatementReader, SkipsSemicolonsOnceAndTrimsTheStatementText)
{
    // text, tree, statement, what remains; the end of the text ends a statement too
    // clang-format off
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {" ; ", "0", "", ""}, {";;1;", "1", "1", ""}, {"x = 5 ;  y;", "(= x 5)", "x = 5", "  y;"},
        {"  7\t;\n8;", "7", "7", "\n8;"}, {"1", "1", "1", ""},
        {std::get<2>(parseFirst("1; 2 3;")), "!Syntax error: \"2 3;\"", "2 3;", ""},
    };
    // clang-format on
    for (const auto& [text, tree, statement, remaining] : cases)
        EXPECT_EQ(parseFirst(text), std::make_tuple(tree, statement, remaining)) << text;
}

// clang-format off
TEST(Readers, ShapesOfTreesAndMessages)
{
    expectParses({
        // A statement that begins with a name continues only with compare and logic operators.
        {"x = 1 + 2;", "(= x (+ 1 2))"}, {"x == 1;", "(== x 1)"}, {"-x + 1;", "(+ (neg x) 1)"},
        {"x > 1 && y + 1 > 2;", "(> (&& (> x 1) (+ y 1)) 2)"},
        {"x + 1;", "!Syntax error: \"x + 1;\""}, {"sin(1) * 2;", "!Syntax error: \"sin(1) * 2;\""},
        // Precedence, and every level groups from the left.
        {"1 + 2 * 3;", "(+ 1 (* 2 3))"}, {"1 - 2 - 3;", "(- (- 1 2) 3)"}, {"8 / 4 % 3;", "(% (/ 8 4) 3)"},
        {"2^3^2;", "(^ (^ 2 3) 2)"}, {"-2^2;", "(^ -2 2)"}, {"2 * 3 ^ 2;", "(* 2 (^ 3 2))"},
        {"1 || 0 && 0;", "(&& (|| 1 0) 0)"},
        {"1 < 2 == 1;", "(== (< 1 2) 1)"}, {"1 >= 2 > 3;", "(> (>= 1 2) 3)"}, {"1 <= 2 != 3;", "(!= (<= 1 2) 3)"},
        {"1 + x = 2 * 3;", "(+ 1 (= x (* 2 3)))"}, {"x = y = 3;", "(= x (= y 3))"}, {"a||b;", "a||b"},
        {"_x9|Y = 1;", "(= _x9|Y 1)"}, {"((1));", "1"},
        // Prefixes fold into constants and cancel in pairs.
        {"--5;", "5"}, {"!0;", "1"}, {"!!5;", "1"}, {"!!x;", "x"}, {"+-+x;", "(neg x)"},
        {"!-x;", "(not (neg x))"}, {"-'abc';", "'abc'"}, {"-(1 + 2);", "(neg (+ 1 2))"},
        // Calls and quotes.
        {"f ( );", "f()"}, {"f(g(x), 'a', -y);", "f(g(x) 'a' (neg y))"}, {"'';", "''"}, {"\"x;y\";", "'x;y'"},
        {"`a'b`;", "'a'b'"},
        // Words and points are read as numbers inside expressions but as names at the start of a statement.
        {"1 + .5;", "(+ 1 0.5)"}, {".x;", ".x"}, {".5 + 1;", "!Syntax error: \".5 + 1;\""},
        {"2 * nano;", "!Syntax error: \"2 * nano;\""}, {"inf + 1;", "!Syntax error: \"inf + 1;\""},
        // Messages: the first one wins.
        {"; ; 1;", "!Syntax error: \"; 1;\""}, {"1 2;", "!Syntax error: \"1 2;\""}, {"2x;", "!Syntax error: \"2x;\""},
        {"(1 2;", "!Syntax error: \"(1 2;\""}, {"1 = 2;", "!Syntax error: \"1 = 2;\""},
        {"x.y;", "!Syntax error: \"x.y;\""}, {"x<>1;", "!Expected expression after compare operator"},
        {"x > = 1;", "!Expected expression after compare operator"}, {"f(1 2;", "!Expected \")\""},
        {"1 +* 2;", "!Expected expression after \"+\""}, {"1 + (2;", "!Expected expression after \"+\""},
        {"2 % ;", "!Expected expression after \"%\""}, {"2 ^;", "!Expected expression after \"^\""},
        {"-;", "!Expected expression after \"-\""}, {"!;", "!Expected expression after \"!\""},
        {"x = = 1;", "!Expected expression after \"=\""}, {"f(1,);", "!Expected expression after \",\""},
        {"f(,1);", "!Expected parameters after \"f (\""}, {"'abc;", "!Expected quote character"},
    });
}
// clang-format on

TEST(Readers, NestingIsRefusedBeforeItOverflowsTheStack)
{
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
