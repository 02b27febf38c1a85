#include "Builtins.h"

#include <Morvantis/Cube.h>
#include <Morvantis/Expression.h>

#include <gtest/gtest.h>

namespace Morvantis::ExpressionUtils
{
namespace
{
const std::string kSolved = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";
const std::string kAfterUPrime = "UUUUUUUUUFFFRRRRRRLLLFFFFFFDDDDDDDDDBBBLLLLLLRRRBBBBBB";

Value str(const std::string& text)
{
    return Value::ofString(text);
}

TEST(RubikTest, ArgumentChecksEmptyTheOutputFirst)
{
    const Value one = Value::ofNumber(1);
    const std::pair<ValueList, const char*> cases[] = {
        {{}, "Function 'rubik' expects 1 or more parameters."},
        {{str(kSolved), str(kSolved), str(kSolved)}, "Function 'rubik' expects 2 or less parameters."},
        {{one, one, one}, "Function 'rubik' expects 2 or less parameters."},
        {{one}, "Function 'rubik' expects 'String' parameter 1."},
        {{one, one}, "Function 'rubik' expects 'String' parameter 1."},
        {{str("not a cube"), one}, "Function 'rubik' expects 'String' parameter 2."},
    };
    for (const auto& [args, message] : cases)
    {
        SCOPED_TRACE(message);
        std::string out = "earlier output";
        try
        {
            callBuiltinFunction("rubik", args, &out);
            ADD_FAILURE() << "no error";
        }
        catch (const ErrorException& e)
        {
            EXPECT_STREQ(e.what(), message);
        }
        EXPECT_EQ(out, "");
    }
}

TEST(RubikTest, ValueIsTheByteLengthOfTheMoves)
{
    struct Case
    {
        const char* name;
        ValueList args;
        const char* moves;
    };
    const Case cases[] = {
        {"after U'", {str(kAfterUPrime)}, "U "},
        {"after U", {str("UUUUUUUUUBBBRRRRRRRRRFFFFFFDDDDDDDDDFFFLLLLLLLLLBBBBBB")}, "U' "},
        {"after U', faces shuffled in lower-case colour letters",
         {str("gggrrrrrrwwwwwwwww\nbbboooooo ooogggggg rrrbbbbbbyyyyyyyyy ")}, "U "},
        {"solved towards the cube after U'", {str(kSolved), str(kAfterUPrime)}, "U' "},
        {"solved", {str(kSolved)}, ""},
        {"same invalid cube and pattern", {str(std::string(54, 'X')), str(std::string(54, 'x'))}, ""},
        {"53 letters", {str(kSolved.substr(1))}, ""},
        {"55 letters", {str(kSolved + "U")}, ""},
        {"wrong letter counts", {str(std::string(54, 'U'))}, ""},
        {"53-letter pattern", {str(kAfterUPrime), str(kSolved.substr(1))}, ""},
        {"twisted pattern", {str(kSolved), str("UUUUUUUUFURRRRRRRRFFRFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB")}, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::string out = "earlier output";
        const double value = callBuiltinFunction("RuBiK", c.args, &out);
        EXPECT_EQ(out, c.moves);
        EXPECT_EQ(value, static_cast<double>(out.size()));
    }
}

TEST(RubikTest, NormalisesDescriptions)
{
    const std::string solved = kSolved;
    const std::pair<std::string, std::string> cases[] = {
        {"uuuuuuuuurrrrrrrrrfffffffffdddddddddlllllllllbbbbbbbbb", solved},
        {"wwwwUUUUUrrrrRRRRRgggggFFFFyyyyyDDDDoooooLLLLbbbbbBBBB", solved},
        {"UUUUUUUUU\nRRRRRRRRR\r\nFFF FFF FFF\tDDDDDDDDD\vLLLLLLLLL\fBBBBBBBBB ", solved},
        {"RRRRRRRRRUUUUUUUUUBBBBBBBBBLLLLLLLLLDDDDDDDDDFFFFFFFFF", solved},
        // Each face goes to the slot its centre names, whatever else it holds.
        {"RRRRRRRRLUUUUUUUUFFFFFFFFFFDDDDDDDDDBLLLLLLLLBBBBBBBBU",
         "UUUUUUUUFRRRRRRRRLFFFFFFFFFDDDDDDDDDBLLLLLLLLBBBBBBBBU"},
        // Two faces naming one slot: the later wins, and the slot nobody names keeps its letters.
        {"UUUUUUUUURRRRURRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB",
         "RRRRURRRRRRRRURRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB"},
        {"XXXXXXXXXUUUUUUUUUFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB",
         "UUUUUUUUUUUUUUUUUUFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB"},
        {"\xe9" + solved.substr(1), "\xe9" + solved.substr(1)}, // no locale upper-casing
        {solved.substr(1), ""},
        {solved + "U", ""},
        {std::string(54, ' '), ""},
    };
    for (const auto& [description, expected] : cases)
    {
        SCOPED_TRACE(description);
        EXPECT_EQ(Cube::normalizeCubeString(description), expected);
    }
}

} // namespace
} // namespace Morvantis::ExpressionUtils
