#include "Terms.h"

#include "Numeric.h"
#include "Text.h"

#include <array>
#include <cmath>

namespace Morvantis::ExpressionUtils
{

namespace
{
constexpr int32_t kMaxRecursionDepth = 256;
} // namespace

void checkRecursionDepth(int32_t depth)
{
    if (depth > kMaxRecursionDepth)
        throw ErrorException("Recursive symbol references");
}

TermRef Term::evaluate(Scope& scope, int32_t depth)
{
    return makeRef<ConstantTerm>(evaluateNumber(scope, depth));
}

std::string Term::toString() const
{
    return fixedDecimals(getValue(), 6);
}

TermRef Term::negate()
{
    return makeRef<Negate>(TermRef(this));
}
TermRef Term::logicNot()
{
    return makeRef<LogicNot>(TermRef(this));
}

TermRef ConstantTerm::negate()
{
    return makeRef<ConstantTerm>(-value_);
}
TermRef ConstantTerm::logicNot()
{
    return makeRef<ConstantTerm>(truth(isNearZero(value_)));
}

double StringTerm::getValue() const
{
    return kNaN;
}
TermRef StringTerm::negate()
{
    return makeRef<StringTerm>(text_);
}

double SymbolTerm::evaluateNumber(Scope& scope, int32_t depth)
{
    checkRecursionDepth(depth);
    return scope.getVariable(name_);
}

double Negate::evaluateNumber(Scope& scope, int32_t depth)
{
    return -operand_->evaluateNumber(scope, depth);
}

double LogicNot::evaluateNumber(Scope& scope, int32_t depth)
{
    return truth(isNearZero(operand_->evaluateNumber(scope, depth)));
}

// A sum of a hundred thousand terms is one left-leaning chain: it is walked in a loop, not
// by recursion. The order stays that of the recursive rule: at every node the right operand
// first, then the left, and both always.
double BinaryTerm::evaluateNumber(Scope& scope, int32_t depth)
{
    // Most operators are no chain: their operands in the same order, without the chain's buffers.
    if (left_->asChainLink() == nullptr)
    {
        const double right = right_->evaluateNumber(scope, depth);
        return apply(left_->evaluateNumber(scope, depth), right);
    }
    // Typical chains fit the buffer on the stack; only long ones take the heap.
    struct Link
    {
        const BinaryTerm* node;
        double right;
    };
    std::array<Link, 32> shortChain;
    std::vector<Link> longChain;
    std::size_t length = 0;
    BinaryTerm* node = this;
    for (;;)
    {
        const Link link{node, node->right_->evaluateNumber(scope, depth)};
        if (length < shortChain.size())
            shortChain[length] = link;
        else
        {
            if (longChain.empty())
                longChain.assign(shortChain.begin(), shortChain.end());
            longChain.push_back(link);
        }
        ++length;
        BinaryTerm* next = node->left_->asChainLink();
        if (next == nullptr)
            break;
        node = next;
    }
    const Link* chain = longChain.empty() ? shortChain.data() : longChain.data();
    double value = node->left_->evaluateNumber(scope, depth);
    for (std::size_t i = length; i-- > 0;)
        value = chain[i].node->apply(value, chain[i].right);
    return value;
}

// Releasing a long chain unlinks it node by node instead of recursing once per operator.
BinaryTerm::~BinaryTerm()
{
    TermRef next = std::move(left_);
    while (next && next->refCount() == 1)
    {
        BinaryTerm* chained = next->asChainLink();
        if (chained == nullptr)
            break;
        TermRef below = std::move(chained->left_);
        next = std::move(below);
    }
}

double Assign::evaluateNumber(Scope& scope, int32_t depth)
{
    checkRecursionDepth(depth);
    const double value = right_->evaluateNumber(scope, depth);
    scope.setVariable(left_->getText(), value);
    return value;
}

double LogicOr::apply(double l, double r) const
{
    return truth(!(isNearZero(l) && isNearZero(r)));
}
double LogicAnd::apply(double l, double r) const
{
    return truth(!(isNearZero(l) || isNearZero(r)));
}
double Equal::apply(double l, double r) const
{
    return truth(l == r || std::fabs(r - l) < kTolerance);
}
double NotEqual::apply(double l, double r) const
{
    return truth(!(l == r || std::fabs(r - l) < kTolerance));
}
double GreaterThan::apply(double l, double r) const
{
    return truth(l > r);
}
double GreaterThanOrEqual::apply(double l, double r) const
{
    return truth(l >= r);
}
double LessThan::apply(double l, double r) const
{
    return truth(l < r);
}
double LessThanOrEqual::apply(double l, double r) const
{
    return truth(l <= r);
}
// An undefined left operand counts as absent.
double Add::apply(double l, double r) const
{
    return isFinite(l) ? l + r : r;
}
double Subtract::apply(double l, double r) const
{
    return isFinite(l) ? l - r : -r;
}
double Multiply::apply(double l, double r) const
{
    return l * r;
}
double Divide::apply(double l, double r) const
{
    return l / r;
}
double Modulo::apply(double l, double r) const
{
    return LibM::fmod(l, r);
}
double Power::apply(double l, double r) const
{
    return LibM::pow(l, r);
}

} // namespace Morvantis::ExpressionUtils
