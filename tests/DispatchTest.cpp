#include "Builtins.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <string>
#include <string_view>

using namespace Morvantis::ExpressionUtils;

namespace
{

// The order in which names are tried.
constexpr std::string_view kDispatchOrder[] = {
    "exists",   "notexists", "nop",   "nan",      "defnz",   "def",     "abs",     "sqrt",    "sqr",     "sin",
    "cos",      "tan",       "asin",  "acos",     "atan",    "atan2",   "pi",      "rad2deg", "deg2rad", "e",
    "pow",      "exp",       "exp10", "exp2",     "log",     "log10",   "log2",    "rand",    "inc",     "dec",
    "min",      "max",       "date",  "datetime", "year",    "month",   "day",     "hour",    "minute",  "second",
    "millisec", "hex",       "bin",   "chr",      "round",   "roundup", "floor",   "ceil",    "trunc",   "centerex",
    "center",   "not",       "and",   "or",       "xor",     "nand",    "nor",     "xnor",    "shl",     "shr",
    "lnot",     "land",      "lor",   "lxor",     "lnand",   "lnor",    "lxnor",   "eq",      "ne",      "gt",
    "lt",       "ge",        "le",    "sleep",    "rgb2hue", "rgb2sat", "rgb2lum", "rubik",   "url",     "sha256",
    "sha256_f", "md5",       "md5_f", "crc16",    "crc32",   "print",   "clear"};
static_assert(std::size(kDispatchOrder) == 87, "the number of built-ins");

// Each name in its place, found whole and in upper case; a prefix finds only a name of its own.
TEST(Dispatch, EveryNameInItsPlace)
{
    const auto& table = Builtins::dispatchTable();
    ASSERT_EQ(table.size(), std::size(kDispatchOrder));
    for (std::size_t i = 0; i < table.size(); ++i)
    {
        const std::string name(kDispatchOrder[i]);
        SCOPED_TRACE(name);
        EXPECT_EQ(table[i]->name, name);
        std::string upper = name;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(Builtins::findEntry(upper), table[i]);
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
