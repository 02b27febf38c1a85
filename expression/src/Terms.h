// The nodes of an expression tree and how each evaluates.
#pragma once

#include "RefCnt.h"
#include "Value.h"

#include <Morvantis/Expression.h>

#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

namespace Morvantis::ExpressionUtils
{

class Term;
class BinaryTerm;
using TermRef = Ref<Term>;

// Throws "Recursive symbol references" above the depth limit.
void checkRecursionDepth(int32_t depth);

class Term : public RefCnt
{
  public:
    // Returns a constant or string node; the tree itself is left unchanged.
    virtual TermRef evaluate(Scope& scope, int32_t depth);
    // The number evaluate's node would hold, without making the node: evaluation runs on these.
    virtual double evaluateNumber(Scope& scope, int32_t depth) = 0;
    // The argument a built-in receives: a string for a string node, else the number.
    virtual Value evaluateArgument(Scope& scope, int32_t depth)
    {
        return Value::ofNumber(evaluateNumber(scope, depth));
    }
    virtual double getValue() const { return 0.0; }
    virtual std::string toString() const;
    virtual Value toValue() const { return Value::ofNumber(getValue()); }
    virtual int32_t getPrecedence() const { return 0; }
    virtual TermRef negate();
    virtual TermRef logicNot();
    virtual std::string getText() const { return {}; }
    // The operator whose left operand continues a left-leaning chain; null for every other node.
    virtual BinaryTerm* asChainLink() noexcept { return nullptr; }
};

class ConstantTerm final : public Term
{
  public:
    explicit ConstantTerm(double value) : value_(value) {}
    TermRef evaluate(Scope&, int32_t) override { return TermRef(this); }
    double evaluateNumber(Scope&, int32_t) override { return value_; }
    double getValue() const override { return value_; }
    TermRef negate() override;
    TermRef logicNot() override;

  private:
    double value_;
};

class StringTerm final : public Term
{
  public:
    explicit StringTerm(std::string text) : text_(std::move(text)) {}
    TermRef evaluate(Scope&, int32_t) override { return TermRef(this); }
    double evaluateNumber(Scope&, int32_t) override { return getValue(); }
    Value evaluateArgument(Scope&, int32_t) override { return Value::ofString(text_); }
    double getValue() const override;
    std::string toString() const override { return text_; }
    Value toValue() const override { return Value::ofString(text_); }
    TermRef negate() override;

  private:
    std::string text_;
};

class SymbolTerm final : public Term
{
  public:
    explicit SymbolTerm(std::string_view name) : name_(name) {}
    double evaluateNumber(Scope& scope, int32_t depth) override;
    std::string getText() const override { return name_; }

  private:
    std::string name_;
};

class FunctionTerm final : public Term
{
  public:
    // The argument list takes its memory from lists (the statement's arena when it has one).
    FunctionTerm(std::string_view name, std::string* textOut, std::pmr::memory_resource* lists)
        : name_(name), arguments_(lists), textOut_(textOut)
    {
        arguments_.reserve(4); // most calls have fewer
    }
    double evaluateNumber(Scope& scope, int32_t depth) override;
    std::string getText() const override { return name_; }

    void addArgument(TermRef argument) { arguments_.push_back(std::move(argument)); }
    const std::pmr::vector<TermRef>& arguments() const { return arguments_; }

  private:
    double evaluateIf(Scope& scope, int32_t depth);
    double evaluateFor(Scope& scope, int32_t depth);
    double evaluateExec(Scope& scope, int32_t depth);
    double evaluateBuiltin(Scope& scope, int32_t depth);
    double valueOf(std::size_t argument, Scope& scope, int32_t depth);

    std::string name_;
    std::pmr::vector<TermRef> arguments_;
    std::string* textOut_; // the textOut of the evaluateText call that parsed this node
};

class Negate final : public Term
{
  public:
    explicit Negate(TermRef operand) : operand_(std::move(operand)) {}
    double evaluateNumber(Scope& scope, int32_t depth) override;
    TermRef negate() override { return operand_; }
    std::string getText() const override { return "-"; }
    const TermRef& operand() const { return operand_; }

  private:
    TermRef operand_;
};

class LogicNot final : public Term
{
  public:
    explicit LogicNot(TermRef operand) : operand_(std::move(operand)) {}
    double evaluateNumber(Scope& scope, int32_t depth) override;
    TermRef logicNot() override { return operand_; }
    std::string getText() const override { return "!"; }
    const TermRef& operand() const { return operand_; }

  private:
    TermRef operand_;
};

class BinaryTerm : public Term
{
  public:
    BinaryTerm(TermRef left, TermRef right) : left_(std::move(left)), right_(std::move(right)) {}
    ~BinaryTerm() override;
    double evaluateNumber(Scope& scope, int32_t depth) override;
    BinaryTerm* asChainLink() noexcept override { return this; }
    virtual double apply(double left, double right) const = 0;

    const TermRef& left() const { return left_; }
    const TermRef& right() const { return right_; }

  protected:
    TermRef left_;
    TermRef right_;
};

#define MORVANTIS_OPERATOR(Class, precedence, text)                                                                    \
    class Class final : public BinaryTerm                                                                              \
    {                                                                                                                  \
      public:                                                                                                          \
        using BinaryTerm::BinaryTerm;                                                                                  \
        int32_t getPrecedence() const override { return precedence; }                                                  \
        std::string getText() const override { return text; }                                                          \
        double apply(double left, double right) const override;                                                        \
    };

MORVANTIS_OPERATOR(LogicOr, 6, "||")
MORVANTIS_OPERATOR(LogicAnd, 6, "&&")
MORVANTIS_OPERATOR(Equal, 5, "==")
MORVANTIS_OPERATOR(NotEqual, 5, "!=")
MORVANTIS_OPERATOR(GreaterThan, 4, ">")
MORVANTIS_OPERATOR(GreaterThanOrEqual, 4, ">=")
MORVANTIS_OPERATOR(LessThan, 4, "<")
MORVANTIS_OPERATOR(LessThanOrEqual, 4, "<=")
MORVANTIS_OPERATOR(Add, 3, "+")
MORVANTIS_OPERATOR(Subtract, 3, "-")
MORVANTIS_OPERATOR(Multiply, 2, "*")
MORVANTIS_OPERATOR(Divide, 2, "/")
MORVANTIS_OPERATOR(Modulo, 2, "%")
MORVANTIS_OPERATOR(Power, 1, "^")

#undef MORVANTIS_OPERATOR

// Left is always the SymbolTerm of the variable.
class Assign final : public BinaryTerm
{
  public:
    using BinaryTerm::BinaryTerm;
    double evaluateNumber(Scope& scope, int32_t depth) override;
    BinaryTerm* asChainLink() noexcept override { return nullptr; } // evaluates by its own rules
    int32_t getPrecedence() const override { return 10; }
    std::string getText() const override { return "="; }
    double apply(double, double) const override { return 0.0; }
};

} // namespace Morvantis::ExpressionUtils
