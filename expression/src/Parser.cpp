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

// Text's trimLeft, here where the compiler sees it: the parser calls it before every token.
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

// The levels of the two-operand operators, from the one that binds last.
enum Level : int32_t
{
    kCompare,
    kAdditive,
    kMultiplicative,
    kPower,
    kOperand, // above every operator
};

// A two-operand operator as it is written, its level, and the node it makes.
struct BinaryOperator
{
    std::string_view text;
    Level level;
    TermRef (*make)(NodeArena* arena, TermRef left, TermRef right);
};

constexpr BinaryOperator kGreaterThanOrEqual{">=", kCompare, makeNode<GreaterThanOrEqual>};
constexpr BinaryOperator kGreaterThan{">", kCompare, makeNode<GreaterThan>};
constexpr BinaryOperator kLessThanOrEqual{"<=", kCompare, makeNode<LessThanOrEqual>};
constexpr BinaryOperator kLessThan{"<", kCompare, makeNode<LessThan>};
constexpr BinaryOperator kNotEqual{"!=", kCompare, makeNode<NotEqual>};
constexpr BinaryOperator kEqual{"==", kCompare, makeNode<Equal>};
constexpr BinaryOperator kLogicAnd{"&&", kCompare, makeNode<LogicAnd>};
constexpr BinaryOperator kLogicOr{"||", kCompare, makeNode<LogicOr>};
constexpr BinaryOperator kAdd{"+", kAdditive, makeNode<Add>};
constexpr BinaryOperator kSubtract{"-", kAdditive, makeNode<Subtract>};
constexpr BinaryOperator kMultiply{"*", kMultiplicative, makeNode<Multiply>};
constexpr BinaryOperator kDivide{"/", kMultiplicative, makeNode<Divide>};
constexpr BinaryOperator kModulo{"%", kMultiplicative, makeNode<Modulo>};
constexpr BinaryOperator kPowerOf{"^", kPower, makeNode<Power>};

// The operator the text begins with, told by its first byte (and the second where two share one).
const BinaryOperator* operatorAt(std::string_view text)
{
    if (text.empty())
        return nullptr;
    const char second = text.size() > 1 ? text[1] : '\0';
    switch (text[0])
    {
    case '>':
        return second == '=' ? &kGreaterThanOrEqual : &kGreaterThan;
    case '<':
        return second == '=' ? &kLessThanOrEqual : &kLessThan;
    case '!':
        return second == '=' ? &kNotEqual : nullptr;
    case '=':
        return second == '=' ? &kEqual : nullptr;
    case '&':
        return second == '&' ? &kLogicAnd : nullptr;
    case '|':
        return second == '|' ? &kLogicOr : nullptr;
    case '+':
        return &kAdd;
    case '-':
        return &kSubtract;
    case '*':
        return &kMultiply;
    case '/':
        return &kDivide;
    case '%':
        return &kModulo;
    case '^':
        return &kPowerOf;
    default:
        return nullptr;
    }
}

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
    TermRef parseFullExpression() { return parseBinary(kCompare); }
    TermRef parseBinary(Level lowest);
    TermRef parseOperators(TermRef left, Level lowest, Level highest);
    TermRef parseUnary();
    TermRef parsePrimary();
    TermRef parseParenthesized(); // at the "("
    TermRef parseQuoted();
    TermRef parseName();

    TermRef setError(const std::string& message);
    // Takes the next byte after the blanks when it is c; the parser's innermost step.
    bool acceptChar(char c)
    {
        skipBlanks(text_);
        if (text_.empty() || text_[0] != c)
            return false;
        text_.remove_prefix(1);
        return true;
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
    if (tree && (acceptChar(';') || text_.empty()))
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
        return parseOperators(std::move(tree), kCompare, kCompare);
    return parseFullExpression();
}

// compare        := additive { compareOperator additive }
// additive       := multiplicative { ("+" | "-") multiplicative }
// multiplicative := power { ("*" | "/" | "%") power }
// power          := unary { "^" unary }   (groups from the left)
// One loop for the four levels: the operand, then every operator from level lowest up, each
// with a right operand of the level above its own. It reads each operator once, where a
// function per level would look for its own operators after every operand.
TermRef Parser::parseBinary(Level lowest)
{
    TermRef left = parseUnary();
    if (!left)
        return nullptr;
    return parseOperators(std::move(left), lowest, kPower);
}

TermRef Parser::parseOperators(TermRef left, Level lowest, Level highest)
{
    for (;;)
    {
        skipBlanks(text_);
        const BinaryOperator* op = operatorAt(text_);
        if (op == nullptr || op->level < lowest || op->level > highest)
            return left;
        text_.remove_prefix(op->text.size());
        TermRef right = parseBinary(static_cast<Level>(op->level + 1));
        if (!right)
            return setError(op->level == kCompare ? std::string("Expected expression after compare operator")
                                                  : "Expected expression after \"" + std::string(op->text) + "\"");
        left = op->make(arena_, std::move(left), std::move(right));
    }
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

    skipBlanks(text_);
    const char prefix = text_.empty() ? '\0' : text_[0];
    if (prefix != '+' && prefix != '-' && prefix != '!')
        return parsePrimary();
    text_.remove_prefix(1);
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
    skipBlanks(text_);
    if (text_.empty())
        return nullptr;
    switch (text_[0])
    {
    case '(':
        return parseParenthesized();
    case '\'':
    case '"':
    case '`':
        return parseQuoted();
    default:
        break;
    }
    if (mayBeginNumber(text_[0]))
    {
        const char* end = nullptr;
        const double value = parseNumber(text_.data(), &end);
        if (end != text_.data())
        {
            text_.remove_prefix(static_cast<std::size_t>(end - text_.data()));
            return makeIn<ConstantTerm>(arena_, value);
        }
    }
    return parseName();
}

// parenthesized := "(" fullExpression ")"
TermRef Parser::parseParenthesized()
{
    text_.remove_prefix(1);
    TermRef inner = parseFullExpression();
    if (!inner || !acceptChar(')'))
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

    if (acceptChar('('))
    {
        Ref<FunctionTerm> call = makeIn<FunctionTerm>(arena_, name, textOut_,
                                                      arena_ ? arena_->resource() : std::pmr::get_default_resource());
        TermRef argument = parseFullExpression();
        if (!argument)
        {
            if (acceptChar(')'))
                return call;
            return setError("Expected parameters after \"" + std::string(name) + " (\"");
        }
        call->addArgument(std::move(argument));
        while (acceptChar(','))
        {
            argument = parseFullExpression();
            if (!argument)
                return setError("Expected expression after \",\"");
            call->addArgument(std::move(argument));
        }
        if (acceptChar(')'))
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
        return makeIn<Assign>(arena_, makeIn<SymbolTerm>(arena_, name), std::move(right));
    }
    return makeIn<SymbolTerm>(arena_, name);
}

TermRef parse(std::string_view& text, std::string* statement, std::string& error, std::string* textOut,
              bool semicolonFollows, NodeArena* arena)
{
    Parser parser(text, textOut, arena);
    TermRef tree = parser.parseNextStatement(statement, semicolonFollows);
    error = std::move(parser.error);
    return tree;
}

} // namespace

TermRef parseNextStatement(std::string_view& text, std::string* statement, std::string& error, std::string* textOut,
                           bool semicolonFollows, NodeArena& arena)
{
    return parse(text, statement, error, textOut, semicolonFollows, &arena);
}

TermRef parseExpression(std::string_view& text, std::string& statement, std::string& error, std::string* textOut)
{
    return parse(text, &statement, error, textOut, false, nullptr);
}

} // namespace Morvantis::ExpressionUtils
