// The argument checks that every family shares, and their messages.
#include "../Builtins.h"

namespace Morvantis::ExpressionUtils::Builtins
{

void fail(const char* f, const std::string& what)
{
    throw ErrorException("Function '" + std::string(f) + "' " + what);
}

void expectCount(const char* f, const ValueList& args, std::size_t n)
{
    if (args.size() != n)
        fail(f, "expects " + std::to_string(n) + " parameters.");
}

void expectAtLeast(const char* f, const ValueList& args, std::size_t n)
{
    if (args.size() < n)
        fail(f, "expects " + std::to_string(n) + " or more parameters.");
}

void expectAtMost(const char* f, const ValueList& args, std::size_t n)
{
    if (args.size() > n)
        fail(f, "expects " + std::to_string(n) + " or less parameters.");
}

double numberArg(const char* f, const ValueList& args, std::size_t index)
{
    if (!args[index].isNumber())
        fail(f, "expects 'Value' parameter " + std::to_string(index + 1) + ".");
    return args[index].number;
}

const std::string& stringArg(const char* f, const ValueList& args, std::size_t index)
{
    if (!args[index].isString())
        fail(f, "expects 'String' parameter " + std::to_string(index + 1) + ".");
    return args[index].text;
}

double variadicNumberArg(const char* f, const ValueList& args, std::size_t index)
{
    if (!args[index].isNumber())
        fail(f, "expects 'Value' parameter.");
    return args[index].number;
}

double singleNumberArg(const char* f, const ValueList& args)
{
    expectCount(f, args, 1);
    return numberArg(f, args, 0);
}

} // namespace Morvantis::ExpressionUtils::Builtins
