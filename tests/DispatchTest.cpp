#include "Builtins.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <string>

using namespace Morvantis::ExpressionUtils;

namespace
{

// The order in which names are tried.
constexpr const char* kDispatchOrder[] = {
    "exists",   "notexists", "nop",    "nan",    "defnz",  "def",      "abs",    "sqrt",    "sqr",     "sin",
    "cos",      "tan",       "asin",   "acos",   "atan",   "atan2",    "pi",     "rad2deg", "deg2rad", "e",
    "pow",      "exp",       "exp10",  "exp2",   "log",    "log10",    "log2",   "rand",    "inc",     "dec",
    "min",      "max",       "date",   "datetime", "year", "month",    "day",    "hour",    "minute",  "second",
    "millisec", "hex",       "bin",    "chr",    "round",  "roundup",  "floor",  "ceil",    "trunc",   "centerex",
    "center",   "not",       "and",    "or",     "xor",    "nand",     "nor",    "xnor",    "shl",     "shr",
    "lnot",     "land",      "lor",    "lxor",   "lnand",  "lnor",     "lxnor",  "eq",      "ne",      "gt",
    "lt",       "ge",        "le",     "sleep",  "rgb2hue", "rgb2sat", "rgb2lum", "rubik",  "url",     "sha256",
    "sha256_f", "md5",       "md5_f",  "crc16",  "crc32",  "print",    "clear"};
static_assert(std::size(kDispatchOrder) == 87);

TEST(Dispatch, EveryNameHasABodyInItsPlace)
{
    const auto& table = Builtins::dispatchTable();
    ASSERT_EQ(table.size(), std::size(kDispatchOrder));
    for (std::size_t i = 0; i < table.size(); ++i)
    {
        SCOPED_TRACE(kDispatchOrder[i]);
        EXPECT_STREQ(table[i]->name, kDispatchOrder[i]);
        EXPECT_NE(table[i]->call, nullptr);
        std::string upper = kDispatchOrder[i];
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(Builtins::findEntry(upper), table[i]);
        EXPECT_EQ(Builtins::findEntry(upper + "x"), nullptr);
    }
    EXPECT_EQ(Builtins::findEntry(""), nullptr);
    EXPECT_EQ(Builtins::findEntry("s\xC3\xA9" "c"), nullptr);
    EXPECT_EQ(Builtins::findEntry(std::string(100, 'a')), nullptr);
}

TEST(Dispatch, NamesMatchWholeAndIgnoringAsciiCase)
{
    std::string out;
    EXPECT_EQ(callBuiltinFunction("Sqrt", {Value::ofNumber(4)}, &out), 2);
    EXPECT_EQ(callBuiltinFunction("SQRT", {Value::ofNumber(4)}, &out), 2);
    struct Case
    {
        const char* name;
        const char* message;
    };
    const Case cases[] = {
        {"sqrtx", "Unknown function 'sqrtx'."},
        {"sq", "Unknown function 'sq'."},
        {"Foo", "Unknown function 'Foo'."},
        {"if", "Unknown function 'if'."}, // the control functions never reach the library
        {"PI", "Function 'pi' expects 0 parameters."},
        {"ABS", "Function 'abs' expects 1 parameters."},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        try
        {
            callBuiltinFunction(c.name, {Value::ofNumber(1), Value::ofNumber(2)}, &out);
            ADD_FAILURE() << "no error";
        }
        catch (const Morvantis::ErrorException& e)
        {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

} // namespace
