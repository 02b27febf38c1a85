// Finds a built-in by name: the families in the order their names are tried, and an index over them.
#include "../Builtins.h"
#include "../Text.h"

#include <algorithm>
#include <array>

namespace Morvantis::ExpressionUtils
{
namespace Builtins
{
namespace
{
// The order in which names are tried.
const Family* const kFamilies[] = {
    &mathematics, &randomNumbers, &countersAndExtremes, &dateAndTime, &textToNumber, &roundingAndLogic, &pauseAndColour,
    &rubik,       &url,           &digestsAndChecksums, &textOutput,
};

// The table's names in an open-addressed hash table. Names are inserted in table order and a
// name already present is skipped, so a lookup finds the entry the ordered scan would try first.
class NameIndex
{
  public:
    explicit NameIndex(const std::vector<const Entry*>& table)
    {
        std::size_t size = 1;
        while (size < 2 * table.size()) // sparse, so that probe runs stay short
            size *= 2;
        slots_.assign(size, nullptr);
        mask_ = size - 1;
        for (const Entry* entry : table)
        {
            const std::string_view name(entry->name);
            std::size_t slot = hash(name) & mask_;
            while (slots_[slot] != nullptr && slots_[slot]->name != name)
                slot = (slot + 1) & mask_;
            if (slots_[slot] == nullptr)
                slots_[slot] = entry;
        }
    }

    const Entry* find(std::string_view name) const
    {
        if (name.size() > kLongestName)
            return nullptr;
        std::array<char, kLongestName> buffer{};
        std::transform(name.begin(), name.end(), buffer.begin(), toLowerAscii);
        const std::string_view folded(buffer.data(), name.size());
        for (std::size_t slot = hash(folded) & mask_; slots_[slot] != nullptr; slot = (slot + 1) & mask_)
            if (slots_[slot]->name == folded)
                return slots_[slot];
        return nullptr;
    }

  private:
    static constexpr std::size_t kLongestName = 16; // no built-in's name is longer

    static std::size_t hash(std::string_view name)
    {
        std::size_t h = 2166136261u;
        for (const char c : name)
            h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        return h ^ (h >> 8);
    }

    std::vector<const Entry*> slots_;
    std::size_t mask_ = 0;
};
} // namespace

const std::vector<const Entry*>& dispatchTable()
{
    static const std::vector<const Entry*> table = []
    {
        std::vector<const Entry*> entries;
        for (const Family* family : kFamilies)
            for (const Entry& entry : *family)
                entries.push_back(&entry);
        return entries;
    }();
    return table;
}

const Entry* findEntry(std::string_view name)
{
    static const NameIndex index(dispatchTable());
    return index.find(name);
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
