// A recursive descent over the front of the remaining text: every reader removes the blanks
// before it and exactly the bytes it accepts, and nothing is ever put back.
#include "Parser.h"

#include "NumberReader.h"
#include "Text.h"

#include <cstdint>

namespace Morvantis::ExpressionUtils
{

namespace
{
// Parentheses, prefixes, calls and assignments may nest this deep; deeper input is refused
// before it can exhaust the stack of the thread that parses it.
constexpr int32_t kMaxNesting = 300;

void skipBlanks(std::string_view& text)
{
    if (text.empty() || !isBlank(text[0]))
        return;
    std::size_t i = 1;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    text.remove_prefix(i);
}

void skipSemicolons(std::string_view& text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ';')
        ++i;
    text.remove_prefix(i);
}

void trimTrailingSemicolons(std::string_view& text)
{
    const std::size_t keep = text.find_last_not_of(';');
    text.remove_suffix(text.size() - (keep == std::string_view::npos ? 0 : keep + 1));
}

// identifier := (letter | "_" | ".") { letter | digit | "_" | "|" }
bool readIdentifier(std::string_view& text, std::string_view& name)
{
    skipBlanks(text);
    if (text.empty() || !(isAsciiLetter(text[0]) || text[0] == '_' || text[0] == '.'))
        return false;
    std::size_t length = 1;
    while (length < text.size() &&
           (isAsciiLetter(text[length]) || isAsciiDigit(text[length]) || text[length] == '_' || text[length] == '|'))
        ++length;
    name = text.substr(0, length);
    text.remove_prefix(length);
    return true;
}

// A two-operand operator as it is written, and the node it makes.
struct BinaryOperator
{
    std::string_view text;
    TermRef (*make)(NodeArena* arena, TermRef left, TermRef right);
};

// A node in the statement's arena, or on the heap without one.
template <class Node, class... Args> Ref<Node> makeIn(NodeArena* arena, Args&&... args)
{
    return arena != nullptr ? arena->make<Node>(std::forward<Args>(args)...)
                            : makeRef<Node>(std::forward<Args>(args)...);
}

template <class Node> TermRef makeNode(NodeArena* arena, TermRef left, TermRef right)
{
    return makeIn<Node>(arena, std::move(left), std::move(right));
}

// Tried in this order, longer ones before their prefixes.
constexpr BinaryOperator kCompareOperators[] = {
    {">=", makeNode<GreaterThanOrEqual>}, {">", makeNode<GreaterThan>},
    {"<=", makeNode<LessThanOrEqual>},    {"<", makeNode<LessThan>},
    {"!=", makeNode<NotEqual>},           {"==", makeNode<Equal>},
    {"&&", makeNode<LogicAnd>},           {"||", makeNode<LogicOr>},
};
constexpr BinaryOperator kAdditiveOperators[] = {{"+", makeNode<Add>}, {"-", makeNode<Subtract>}};
constexpr BinaryOperator kMultiplicativeOperators[] = {
    {"*", makeNode<Multiply>}, {"/", makeNode<Divide>}, {"%", makeNode<Modulo>}};
constexpr BinaryOperator kPowerOperators[] = {{"^", makeNode<Power>}};

class Parser
{
  public:
    Parser(std::string_view& text, std::string* textOut, NodeArena* arena)
        : text_(text), textOut_(textOut), arena_(arena)
    {
    }

    // statement receives the statement's text when it is not null.
    TermRef parseNextStatement(std::string* statement, bool semicolonFollows);

    std::string error;

  private:
    TermRef parseStatement();
    TermRef parseFullExpression() { return parseCompare(); }
    TermRef parseCompare();
    TermRef parseCompareTail(TermRef left);
    TermRef parseAdditive();
    TermRef parseMultiplicative();
    TermRef parsePower();
    TermRef parseUnary();
    TermRef parsePrimary();
    TermRef parseParenthesized(bool& took);
    TermRef parseQuoted();
    TermRef parseName();

    template <std::size_t N>
    TermRef parseLeftAssociative(const BinaryOperator (&operators)[N], TermRef (Parser::*operand)());

    TermRef setError(const std::string& message);
    // Takes the next byte after the blanks when it is one of set; the parser's innermost step.
    bool acceptChar(std::string_view set, char* accepted = nullptr)
    {
        skipBlanks(text_);
        if (text_.empty())
            return false;
        const char next = text_[0];
        for (const char c : set)
        {
            if (c == next)
            {
                if (accepted != nullptr)
                    *accepted = next;
                text_.remove_prefix(1);
                return true;
            }
        }
        return false;
    }
    // Takes the first of operators that the text continues with after the blanks.
    template <std::size_t N> const BinaryOperator* acceptOperator(const BinaryOperator (&operators)[N])
    {
        skipBlanks(text_);
        for (const BinaryOperator& op : operators)
        {
            if (text_.substr(0, op.text.size()) == op.text)
            {
                text_.remove_prefix(op.text.size());
                return &op;
            }
        }
        return nullptr;
    }

    std::string_view& text_;
    std::string* textOut_;
    NodeArena* arena_;
    int32_t nesting_ = 0;
};

TermRef Parser::setError(const std::string& message)
{
    if (error.empty())
        error = message;
    return nullptr;
}

// statement := [ ";"... ] ( expression ) ";"
TermRef Parser::parseNextStatement(std::string* statement, bool semicolonFollows)
{
    skipBlanks(text_);
    skipSemicolons(text_);
    skipBlanks(text_);
    const std::string_view start = text_;
    if (text_.empty())
    {
        if (statement != nullptr)
            statement->clear();
        return makeIn<ConstantTerm>(arena_, 0.0);
    }

    TermRef tree = parseStatement();
    if (tree && (acceptChar(";") || text_.empty()))
    {
        if (statement != nullptr)
        {
            std::string_view text = start.substr(0, start.size() - text_.size());
            trimLeft(text);
            trimRight(text);
            trimTrailingSemicolons(text);
            trimLeft(text);
            trimRight(text);
            statement->assign(text);
        }
        return tree;
    }
    std::string rest(start);
    if (semicolonFollows)
        rest += ';';
    setError("Syntax error: \"" + rest + "\"");
    if (statement != nullptr)
        *statement = std::move(rest);
    return nullptr;
}

// A statement that begins with a name continues only with compare and logic operators.
TermRef Parser::parseStatement()
{
    if (TermRef tree = parseName())
        return parseCompareTail(std::move(tree));
    return parseCompare();
}

// compare := additive { compareOperator additive }
TermRef Parser::parseCompare()
{
    TermRef left = parseAdditive();
    if (!left)
        return nullptr;
    return parseCompareTail(std::move(left));
}

TermRef Parser::parseCompareTail(TermRef left)
{
    while (const BinaryOperator* op = acceptOperator(kCompareOperators))
    {
        TermRef right = parseAdditive();
        if (!right)
            return setError("Expected expression after compare operator");
        left = op->make(arena_, std::move(left), std::move(right));
    }
    return left;
}

template <std::size_t N>
TermRef Parser::parseLeftAssociative(const BinaryOperator (&operators)[N], TermRef (Parser::*operand)())
{
    TermRef left = (this->*operand)();
    if (!left)
        return nullptr;
    while (const BinaryOperator* op = acceptOperator(operators))
    {
        TermRef right = (this->*operand)();
        if (!right)
            return setError("Expected expression after \"" + std::string(op->text) + "\"");
        left = op->make(arena_, std::move(left), std::move(right));
    }
    return left;
}

// additive := multiplicative { ("+" | "-") multiplicative }
TermRef Parser::parseAdditive()
{
    return parseLeftAssociative(kAdditiveOperators, &Parser::parseMultiplicative);
}

// multiplicative := power { ("*" | "/" | "%") power }
TermRef Parser::parseMultiplicative()
{
    return parseLeftAssociative(kMultiplicativeOperators, &Parser::parsePower);
}

// power := unary { "^" unary }   (groups from the left)
TermRef Parser::parsePower()
{
    return parseLeftAssociative(kPowerOperators, &Parser::parseUnary);
}

// unary := ("+" | "-" | "!") unary | primary
TermRef Parser::parseUnary()
{
    // Every level of parentheses, prefixes, call arguments and assignments passes here once.
    struct NestingGuard
    {
        explicit NestingGuard(int32_t& n) : nesting(++n) {}
        ~NestingGuard() { --nesting; }
        int32_t& nesting;
    } guard(nesting_);
    if (nesting_ > kMaxNesting)
        return setError("Expression nested too deeply.");

    char prefix = 0;
    if (!acceptChar("+-!", &prefix))
        return parsePrimary();
    TermRef operand = parseUnary();
    if (!operand)
        return setError(std::string("Expected expression after \"") + prefix + "\"");
    if (prefix == '-')
        return operand->negate();
    if (prefix == '!')
        return operand->logicNot();
    return operand;
}

// primary := parenthesized | quoted | number | name
TermRef Parser::parsePrimary()
{
    bool took = false;
    if (TermRef tree = parseParenthesized(took))
        return tree;
    if (took)
        return nullptr;
    skipBlanks(text_);
    if (!text_.empty() && (text_[0] == '\'' || text_[0] == '"' || text_[0] == '`'))
        return parseQuoted();
    const char* end = nullptr;
    const double value = parseNumber(text_.data(), &end);
    if (end != text_.data())
    {
        text_.remove_prefix(static_cast<std::size_t>(end - text_.data()));
        return makeIn<ConstantTerm>(arena_, value);
    }
    return parseName();
}

// parenthesized := "(" fullExpression ")"
TermRef Parser::parseParenthesized(bool& took)
{
    took = acceptChar("(");
    if (!took)
        return nullptr;
    TermRef inner = parseFullExpression();
    if (!inner || !acceptChar(")"))
        return nullptr;
    return inner;
}

// quoted := q { any byte but q } q, for q one of ' " `
TermRef Parser::parseQuoted()
{
    const std::size_t close = text_.size() >= 2 ? text_.find(text_[0], 1) : std::string_view::npos;
    if (close == std::string_view::npos)
        return setError("Expected quote character");
    std::string text(text_.substr(1, close - 1));
    text_.remove_prefix(close + 1);
    return makeIn<StringTerm>(arena_, std::move(text));
}

// name := identifier [ "(" [ fullExpression { "," fullExpression } ] ")" | "=" fullExpression ]
TermRef Parser::parseName()
{
    std::string_view name;
    if (!readIdentifier(text_, name))
        return nullptr;

    if (acceptChar("("))
    {
        Ref<FunctionTerm> call =
            makeIn<FunctionTerm>(arena_, std::string(name), textOut_,
                                 arena_ ? arena_->resource() : std::pmr::get_default_resource());
        TermRef argument = parseFullExpression();
        if (!argument)
        {
            if (acceptChar(")"))
                return call;
            return setError("Expected parameters after \"" + std::string(name) + " (\"");
        }
        call->addArgument(std::move(argument));
        while (acceptChar(","))
        {
            argument = parseFullExpression();
            if (!argument)
                return setError("Expected expression after \",\"");
            call->addArgument(std::move(argument));
        }
        if (acceptChar(")"))
            return call;
        return setError("Expected \")\"");
    }

    skipBlanks(text_);
    if (!text_.empty() && text_[0] == '=' && (text_.size() < 2 || text_[1] != '='))
    {
        text_.remove_prefix(1);
        TermRef right = parseFullExpression();
        if (!right)
            return setError("Expected expression after \"=\"");
        return makeIn<Assign>(arena_, makeIn<SymbolTerm>(arena_, std::string(name)), std::move(right));
    }
    return makeIn<SymbolTerm>(arena_, std::string(name));
}

} // namespace

TermRef parseNextStatement(std::string_view& text, std::string* statement, std::string& error, std::string* textOut,
                           bool semicolonFollows, NodeArena& arena)
{
    Parser parser(text, textOut, &arena);
    TermRef tree = parser.parseNextStatement(statement, semicolonFollows);
    error = std::move(parser.error);
    return tree;
}

TermRef parseExpression(std::string_view& text, std::string& statement, std::string& error, std::string* textOut)
{
    Parser parser(text, textOut, nullptr);
    TermRef tree = parser.parseNextStatement(&statement, false);
    error = std::move(parser.error);
    return tree;
}

} // namespace Morvantis::ExpressionUtils
