// A recursive descent over the front of the remaining text: every reader removes the blanks
// before it and exactly the bytes it accepts, and nothing is ever put back.
#include "Parser.h"

#include "Numeric.h"

#include <algorithm>
#include <charconv>

namespace Morvantis::ExpressionUtils
{

namespace
{
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline void skipBlanks(std::string_view& text)
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

// The bytes that may belong to the number at p; the conversion decides where it really ends.
const char* numberExtent(const char* p)
{
    if (isLetter(*p)) // inf, infinity, nan, nan(chars)
    {
        while (isLetter(*p))
            ++p;
        if (*p == '(')
        {
            const char* q = p + 1;
            while (isLetter(*q) || isDigit(*q) || *q == '_')
                ++q;
            if (*q == ')')
                p = q + 1;
        }
        return p;
    }
    const bool hex = p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    if (hex)
        p += 2;
    while ((hex ? isHexDigit(*p) : isDigit(*p)) || *p == '.')
        ++p;
    if (lower(*p) == (hex ? 'p' : 'e'))
    {
        ++p;
        if (*p == '+' || *p == '-')
            ++p;
        while (isDigit(*p))
            ++p;
    }
    return p;
}

// from_chars leaves the value alone when a number over- or underflows, where strtod gives
// infinity or zero: tell the two apart by the number's decimal (or binary) magnitude.
double outOfRangeValue(const char* first, const char* last, bool hex)
{
    long long scale = 0;
    bool point = false;
    bool significant = false;
    const char exponentMark = hex ? 'p' : 'e';
    const char* p = first;
    for (; p < last && lower(*p) != exponentMark; ++p)
    {
        if (*p == '.')
            point = true;
        else if (significant || *p != '0')
        {
            significant = true;
            if (!point)
                ++scale;
        }
        else if (point)
            --scale;
    }
    long long exponent = 0;
    if (p < last)
    {
        ++p;
        const bool negative = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        for (; p < last && isDigit(*p); ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 1000000000000LL);
        if (negative)
            exponent = -exponent;
    }
    const long long magnitude = (hex ? scale * 4 : scale) + exponent;
    return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

// Most numbers in a selection are short plain decimals. With at most 15 digits and no exponent,
// the digits form an exact integer and the power of ten is exact, so one division rounds
// exactly as the full conversion would. Anything else returns false and takes the full path.
bool parseShortDecimal(const char* text, double& value, const char*& stop)
{
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int kMaxDigits = 15;
    static_assert(std::size(powersOfTen) == kMaxDigits + 1);
    if (!isDigit(text[0]) || (text[0] == '0' && isLetter(text[1])))
        return false;
    uint64_t digits = 0;
    int count = 0;
    int fractionDigits = 0;
    const char* p = text;
    const auto take = [&](char digit) {
        if (++count <= kMaxDigits)
            digits = digits * 10 + static_cast<uint64_t>(digit - '0');
    };
    for (; isDigit(*p); ++p)
        take(*p);
    if (*p == '.')
        for (++p; isDigit(*p); ++p, ++fractionDigits)
            take(*p);
    if (count > kMaxDigits || *p == 'e' || *p == 'E')
        return false;
    value = static_cast<double>(digits) / powersOfTen[fractionDigits];
    stop = p;
    return true;
}

class Parser
{
public:
    Parser(std::string_view& text, std::string* textOut) : text_(text), textOut_(textOut) {}

    TermRef parseNextStatement();

    std::string statement;
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

    template <class Make>
    TermRef parseLeftAssociative(std::string_view operators, TermRef (Parser::*operand)(), Make make);

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
    bool readCompareOperator(uint32_t& code);

    std::string_view& text_;
    std::string* textOut_;
    int32_t nesting_ = 0;
};

TermRef Parser::setError(const std::string& message)
{
    if (error.empty())
        error = message;
    return nullptr;
}

// The eight operators in the order they are tried, longer ones before their prefixes.
bool Parser::readCompareOperator(uint32_t& code)
{
    static constexpr std::string_view operators[] = {">=", ">", "<=", "<", "!=", "==", "&&", "||"};
    static constexpr uint32_t codes[] = {2, 1, 4, 3, 6, 5, 7, 8};
    static_assert(std::size(operators) == std::size(codes));
    skipBlanks(text_);
    for (std::size_t i = 0; i < std::size(operators); ++i)
    {
        if (text_.substr(0, operators[i].size()) == operators[i])
        {
            text_.remove_prefix(operators[i].size());
            code = codes[i];
            return true;
        }
    }
    code = 0;
    return false;
}

// statement := [ ";"... ] ( expression ) ";"
TermRef Parser::parseNextStatement()
{
    skipBlanks(text_);
    skipSemicolons(text_);
    skipBlanks(text_);
    const std::string_view start = text_;
    if (text_.empty())
        return makeRef<ConstantTerm>(0.0);

    TermRef tree = parseStatement();
    if (tree && (acceptChar(";") || text_.empty()))
    {
        statement.assign(start.substr(0, start.size() - text_.size()));
        trimLeft(statement);
        trimRight(statement);
        trimTrailingSemicolons(statement);
        trimLeft(statement);
        trimRight(statement);
        return tree;
    }
    statement.assign(start);
    return setError("Syntax error: \"" + statement + "\"");
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
    uint32_t code = 0;
    while (readCompareOperator(code))
    {
        TermRef right = parseAdditive();
        if (!right)
            return setError("Expected expression after compare operator");
        switch (code)
        {
        case 1: left = makeRef<GreaterThan>(std::move(left), std::move(right)); break;
        case 2: left = makeRef<GreaterThanOrEqual>(std::move(left), std::move(right)); break;
        case 3: left = makeRef<LessThan>(std::move(left), std::move(right)); break;
        case 4: left = makeRef<LessThanOrEqual>(std::move(left), std::move(right)); break;
        case 5: left = makeRef<Equal>(std::move(left), std::move(right)); break;
        case 6: left = makeRef<NotEqual>(std::move(left), std::move(right)); break;
        case 7: left = makeRef<LogicAnd>(std::move(left), std::move(right)); break;
        default: left = makeRef<LogicOr>(std::move(left), std::move(right)); break;
        }
    }
    return left;
}

template <class Make>
TermRef Parser::parseLeftAssociative(std::string_view operators, TermRef (Parser::*operand)(), Make make)
{
    TermRef left = (this->*operand)();
    if (!left)
        return nullptr;
    char op = 0;
    while (acceptChar(operators, &op))
    {
        TermRef right = (this->*operand)();
        if (!right)
            return setError(std::string("Expected expression after \"") + op + "\"");
        left = make(op, std::move(left), std::move(right));
    }
    return left;
}

// additive := multiplicative { ("+" | "-") multiplicative }
TermRef Parser::parseAdditive()
{
    return parseLeftAssociative("+-", &Parser::parseMultiplicative, [](char op, TermRef l, TermRef r) -> TermRef {
        if (op == '+')
            return makeRef<Add>(std::move(l), std::move(r));
        return makeRef<Subtract>(std::move(l), std::move(r));
    });
}

// multiplicative := power { ("*" | "/" | "%") power }
TermRef Parser::parseMultiplicative()
{
    return parseLeftAssociative("*/%", &Parser::parsePower, [](char op, TermRef l, TermRef r) -> TermRef {
        if (op == '*')
            return makeRef<Multiply>(std::move(l), std::move(r));
        if (op == '/')
            return makeRef<Divide>(std::move(l), std::move(r));
        return makeRef<Modulo>(std::move(l), std::move(r));
    });
}

// power := unary { "^" unary }   (groups from the left)
TermRef Parser::parsePower()
{
    return parseLeftAssociative("^", &Parser::parseUnary, [](char, TermRef l, TermRef r) -> TermRef {
        return makeRef<Power>(std::move(l), std::move(r));
    });
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
        return makeRef<ConstantTerm>(value);
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
    return makeRef<StringTerm>(std::move(text));
}

// name := identifier [ "(" [ fullExpression { "," fullExpression } ] ")" | "=" fullExpression ]
TermRef Parser::parseName()
{
    std::string name;
    if (!readIdentifier(text_, name))
        return nullptr;

    if (acceptChar("("))
    {
        Ref<FunctionTerm> call = makeRef<FunctionTerm>(name, std::vector<TermRef>{}, textOut_);
        TermRef argument = parseFullExpression();
        if (!argument)
        {
            if (acceptChar(")"))
                return call;
            return setError("Expected parameters after \"" + name + " (\"");
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
        return makeRef<Assign>(makeRef<SymbolTerm>(std::move(name)), std::move(right));
    }
    return makeRef<SymbolTerm>(std::move(name));
}

} // namespace

TermRef parseExpression(std::string_view& text, std::string& statement, std::string& error, std::string* textOut)
{
    Parser parser(text, textOut);
    TermRef tree = parser.parseNextStatement();
    statement = std::move(parser.statement);
    error = std::move(parser.error);
    return tree;
}

// identifier := (letter | "_" | ".") { letter | digit | "_" | "|" }
bool readIdentifier(std::string_view& text, std::string& name)
{
    skipBlanks(text);
    if (text.empty() || !(isLetter(text[0]) || text[0] == '_' || text[0] == '.'))
        return false;
    std::size_t length = 1;
    while (length < text.size() &&
           (isLetter(text[length]) || isDigit(text[length]) || text[length] == '_' || text[length] == '|'))
        ++length;
    name.assign(text.substr(0, length));
    text.remove_prefix(length);
    return true;
}

double parseNumber(const char* text, const char** end)
{
    if (end != nullptr)
        *end = text;
    if (text == nullptr || *text == '\0')
        return kNaN;

    // Only inf, infinity and nan begin with a letter; every other name is no number.
    if (isLetter(text[0]) && lower(text[0]) != 'i' && lower(text[0]) != 'n')
        return kNaN;

    const char* stop = text;
    double value = kNaN;
    if (text[0] == '0' && (text[1] == 'b' || text[1] == 'B'))
    {
        // Only the last 32 binary digits count.
        uint32_t bits = 0;
        for (stop = text + 2; *stop == '0' || *stop == '1'; ++stop)
            bits = bits * 2u + static_cast<uint32_t>(*stop - '0');
        value = bits;
    }
    else if (!parseShortDecimal(text, value, stop) && text[0] != '-' && text[0] != '+')
    {
        const char* last = numberExtent(text);
        const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
                         (isHexDigit(text[2]) || (text[2] == '.' && isHexDigit(text[3])));
        const char* first = hex ? text + 2 : text;
        const auto result = std::from_chars(first, last, value, hex ? std::chars_format::hex : std::chars_format::general);
        if (result.ptr != first)
        {
            stop = result.ptr;
            if (result.ec == std::errc::result_out_of_range)
                value = outOfRangeValue(first, stop, hex);
        }
        else
            value = kNaN;
    }
    if (end != nullptr)
        *end = stop;
    return value;
}

void trimLeadingSemicolons(std::string& text) { text.erase(0, text.find_first_not_of(';')); }

void trimTrailingSemicolons(std::string& text)
{
    const std::size_t keep = text.find_last_not_of(';');
    text.erase(keep == std::string::npos ? 0 : keep + 1);
}

} // namespace Morvantis::ExpressionUtils
