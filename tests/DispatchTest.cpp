#include "Builtins.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace Morvantis::ExpressionUtils;

namespace
{

// Every built-in is found whole and in upper case; a prefix or an extension of its name finds only a
// name of its own. The other tests call each built-in by name, so the table lacks none of them.
TEST(Dispatch, EveryNameFoundWholeAndInAnyCase)
{
    const auto& table = Builtins::dispatchTable();
    EXPECT_EQ(table.size(), 87u);
    for (const Builtins::Entry* entry : table)
    {
        const std::string name(entry->name);
        SCOPED_TRACE(name);
        std::string upper = name;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(Builtins::findEntry(upper), entry);
        EXPECT_EQ(Builtins::findEntry(name + "x"), nullptr);
        for (std::size_t length = 0; length < name.size(); ++length)
        {
            const Builtins::Entry* found = Builtins::findEntry(name.substr(0, length));
            EXPECT_TRUE(found == nullptr || found->name == name.substr(0, length)) << length;
        }
    }
    EXPECT_EQ(Builtins::findEntry(std::string(100, 'a')), nullptr);
}

} // namespace
