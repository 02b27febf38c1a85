// Finds a built-in by name: the families in the order their names are tried, and an index over them.
#include "../Builtins.h"
#include "../Text.h"

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
        slots_.assign(size, Slot{});
        mask_ = size - 1;
        for (const Entry* entry : table)
        {
            const std::string_view name(entry->name);
            std::size_t h = kHashStart;
            for (const char c : name)
                h = hashStep(h, c);
            std::size_t slot = spread(h) & mask_;
            while (slots_[slot].entry != nullptr && slots_[slot].name != name)
                slot = (slot + 1) & mask_;
            if (slots_[slot].entry == nullptr)
                slots_[slot] = {name, entry};
        }
    }

    // Folds the case and hashes in one pass: every call of a built-in looks its name up.
    const Entry* find(std::string_view name) const
    {
        if (name.size() > kLongestName)
            return nullptr;
        char folded[kLongestName];
        std::size_t h = kHashStart;
        for (std::size_t i = 0; i < name.size(); ++i)
        {
            folded[i] = toLowerAscii(name[i]);
            h = hashStep(h, folded[i]);
        }
        const std::string_view key(folded, name.size());
        for (std::size_t slot = spread(h) & mask_; slots_[slot].entry != nullptr; slot = (slot + 1) & mask_)
            if (slots_[slot].name == key)
                return slots_[slot].entry;
        return nullptr;
    }

  private:
    static constexpr std::size_t kLongestName = 16; // no built-in's name is longer
    static constexpr std::size_t kHashStart = 2166136261u;

    static std::size_t hashStep(std::size_t h, char c) { return (h ^ static_cast<unsigned char>(c)) * 16777619u; }
    static std::size_t spread(std::size_t h) { return h ^ (h >> 8); }

    struct Slot
    {
        std::string_view name;
        const Entry* entry = nullptr;
    };
    std::vector<Slot> slots_;
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

double call(const Entry* entry, std::string_view name, const ValueList& args, std::string* textOut)
{
    if (entry == nullptr)
        throw ErrorException("Unknown function '" + std::string(name) + "'.");
    if (entry->ofNumber != nullptr)
        return entry->ofNumber(singleNumberArg(entry->name, args));
    std::string discarded;
    return entry->call(args, textOut != nullptr ? *textOut : discarded);
}

} // namespace Builtins

double callBuiltinFunction(const std::string& name, const ValueList& args, std::string* textOut)
{
    return Builtins::call(Builtins::findEntry(name), name, args, textOut);
}

} // namespace Morvantis::ExpressionUtils
