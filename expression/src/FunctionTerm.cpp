// Calls: the control functions if, for and exec, and everything else through the built-in library.
#include "Builtins.h"
#include "Numeric.h"
#include "Terms.h"
#include "Text.h"

#include <cmath>
#include <cstddef>
#include <memory_resource>

namespace Morvantis::ExpressionUtils
{

namespace
{
constexpr int kForLimit = 100; // the iteration that fails

// The values of one call live as long as the call: on its stack for the usual few arguments, on
// the heap beyond. A statement that calls built-ins in a loop then holds what one call holds.
class CallValues
{
    alignas(Value) std::byte local_[4 * sizeof(Value)];
    std::pmr::monotonic_buffer_resource memory_{local_, sizeof local_, std::pmr::new_delete_resource()};

  public:
    explicit CallValues(std::size_t count) { list.reserve(count); }
    ValueList list{&memory_}; // built after the memory it takes from, and gone before it
};
} // namespace

double FunctionTerm::evaluateNumber(Scope& scope, int32_t depth)
{
    checkRecursionDepth(depth);
    // The control functions differ in length and first letter, which sort out nearly every other name.
    switch (name_.size())
    {
    case 2:
        if (toLowerAscii(name_[0]) == 'i' && compareIgnoreCase(name_, "if") == 0)
            return evaluateIf(scope, depth);
        break;
    case 3:
        if (toLowerAscii(name_[0]) == 'f' && compareIgnoreCase(name_, "for") == 0)
            return evaluateFor(scope, depth);
        break;
    case 4:
        if (toLowerAscii(name_[0]) == 'e' && compareIgnoreCase(name_, "exec") == 0)
            return evaluateExec(scope, depth);
        break;
    default:
        break;
    }
    return evaluateBuiltin(scope, depth);
}

double FunctionTerm::valueOf(std::size_t argument, Scope& scope, int32_t depth)
{
    return arguments_[argument]->evaluateNumber(scope, depth + 1);
}

// Only the branch taken is evaluated; a NaN condition takes the first one.
double FunctionTerm::evaluateIf(Scope& scope, int32_t depth)
{
    if (arguments_.size() != 2 && arguments_.size() != 3)
        throw ErrorException("Function 'if' expects 2 or 3 parameters.");
    const double condition = valueOf(0, scope, depth);
    if (std::fabs(condition) >= kConditionTolerance || std::isnan(condition))
        return valueOf(1, scope, depth);
    return arguments_.size() == 3 ? valueOf(2, scope, depth) : 0.0;
}

// for(init, condition, step, body): condition, body and step per iteration.
double FunctionTerm::evaluateFor(Scope& scope, int32_t depth)
{
    if (arguments_.size() != 4)
        throw ErrorException("Function 'for' expects 4 parameters.");
    double result = 0.0;
    valueOf(0, scope, depth);
    for (int iterations = 0;;)
    {
        if (roundToInt32(valueOf(1, scope, depth)) <= 0)
            break;
        result = valueOf(3, scope, depth);
        valueOf(2, scope, depth);
        if (++iterations >= kForLimit)
            throw ErrorException("Function 'for' exceeded limit.");
    }
    return result;
}

double FunctionTerm::evaluateExec(Scope& scope, int32_t depth)
{
    double result = 0.0;
    for (std::size_t i = 0; i < arguments_.size(); ++i)
        result = valueOf(i, scope, depth);
    return result;
}

// Every argument is evaluated before the name is looked up, so side effects happen even
// for an unknown name or refused arguments.
double FunctionTerm::evaluateBuiltin(Scope& scope, int32_t depth)
{
    // A function of one number, the commonest call, needs no list of values.
    if (arguments_.size() == 1)
    {
        Value value = arguments_[0]->evaluateArgument(scope, depth + 1);
        const Builtins::Entry* entry = Builtins::findEntry(name_);
        if (entry != nullptr && entry->ofNumber != nullptr && value.isNumber())
            return entry->ofNumber(value.number);
        CallValues values(1);
        values.list.push_back(std::move(value));
        return Builtins::call(entry, name_, values.list, textOut_);
    }
    CallValues values(arguments_.size());
    for (const TermRef& argument : arguments_)
        values.list.push_back(argument->evaluateArgument(scope, depth + 1));
    return Builtins::call(Builtins::findEntry(name_), name_, values.list, textOut_);
}

} // namespace Morvantis::ExpressionUtils
