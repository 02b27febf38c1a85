// Finds a built-in by name and holds the argument checks that every family shares.
#include "../Builtins.h"

#include <algorithm>

namespace Morvantis::ExpressionUtils
{

namespace
{
// Only 'A'-'Z' fold; bytes of 128 and above keep their value.
char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
} // namespace

int32_t compareIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return -1;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
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

namespace
{
// The table's names in an open-addressed hash table. Names are inserted in table order and a
// name already present is skipped, so a lookup finds the entry the ordered scan would try first.
class NameIndex
{
public:
    NameIndex()
    {
        static_assert((kSlots & (kSlots - 1)) == 0 && kSlots >= 2 * 87, "a sparse power-of-two table");
        for (const Entry* entry : dispatchTable())
        {
            const std::string_view name(entry->name);
            if (entry->call == nullptr || name.size() > kLongestName)
                continue;
            std::size_t slot = hash(name) & (kSlots - 1);
            while (slots_[slot] != nullptr && slots_[slot]->name != name)
                slot = (slot + 1) & (kSlots - 1);
            if (slots_[slot] == nullptr)
                slots_[slot] = entry;
        }
    }

    const Entry* find(std::string_view name) const
    {
        if (name.size() > kLongestName)
            return nullptr;
        std::array<char, kLongestName> buffer{};
        std::transform(name.begin(), name.end(), buffer.begin(), fold);
        const std::string_view folded(buffer.data(), name.size());
        for (std::size_t slot = hash(folded) & (kSlots - 1); slots_[slot] != nullptr; slot = (slot + 1) & (kSlots - 1))
            if (slots_[slot]->name == folded)
                return slots_[slot];
        return nullptr;
    }

private:
    static constexpr std::size_t kSlots = 256;
    static constexpr std::size_t kLongestName = 16; // no built-in's name is longer

    static std::size_t hash(std::string_view name)
    {
        std::size_t h = 2166136261u;
        for (const char c : name)
            h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        return h ^ (h >> 8);
    }

    std::array<const Entry*, kSlots> slots_{};
};
} // namespace

const Entry* findEntry(std::string_view name)
{
    static const NameIndex index;
    return index.find(name);
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
    if (const Builtins::Entry* entry = Builtins::findEntry(name))
        return entry->call(args, out);
    throw ErrorException("Unknown function '" + name + "'.");
}

} // namespace Morvantis::ExpressionUtils
