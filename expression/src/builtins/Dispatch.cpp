// Finds a built-in by name and holds the argument checks that every family shares.
#include "../Builtins.h"

#include <cctype>

namespace Morvantis::ExpressionUtils
{

int32_t compareIgnoreCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return -1;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        // Only 'A'-'Z' fold; bytes of 128 and above keep their value.
        const auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (fold(a[i]) != fold(b[i]))
            return static_cast<int32_t>(i + 1);
    }
    return 0;
}

namespace Builtins
{
namespace
{
template <std::size_t... N>
constexpr std::size_t total(const std::array<Entry, N>&...)
{
    return (N + ...);
}

std::array<const Entry*, 87> buildTable()
{
    static_assert(total(mathematics, countersAndTime, roundingAndLogic, pauseAndColour, rubik, outputAndDigests) == 87,
                  "the dispatch table holds 87 names");
    std::array<const Entry*, 87> table{};
    std::size_t next = 0;
    const auto append = [&](const auto& family) {
        for (const Entry& entry : family)
            table[next++] = &entry;
    };
    // The order in which names are tried.
    append(mathematics);
    append(countersAndTime);
    append(roundingAndLogic);
    append(pauseAndColour);
    append(rubik);
    append(outputAndDigests);
    return table;
}
} // namespace

const std::array<const Entry*, 87>& dispatchTable()
{
    static const std::array<const Entry*, 87> table = buildTable();
    return table;
}

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

} // namespace Builtins

double callBuiltinFunction(const std::string& name, const ValueList& args, std::string* textOut)
{
    std::string discarded;
    std::string& out = textOut != nullptr ? *textOut : discarded;
    for (const Builtins::Entry* entry : Builtins::dispatchTable())
    {
        // A family that has no body for a name yet leaves its entry empty.
        if (entry->call != nullptr && compareIgnoreCase(name, entry->name) == 0)
            return entry->call(args, out);
    }
    throw ErrorException("Unknown function '" + name + "'.");
}

} // namespace Morvantis::ExpressionUtils
