#include "Builtins.h"
#include "KnownCubes.h"

#include <Morvantis/Cube.h>
#include <Morvantis/Expression.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Morvantis::ExpressionUtils
{
namespace
{
const std::string kSolved = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";
const std::string kAfterUPrime = KnownCubes::kAfterUPrime.description;
const std::string kThirteenMoves = KnownCubes::kThirteenMoves.description;

// A failing call empties the output before its first check; a good one returns the moves' byte length.
TEST(RubikTest, MovesOrExactErrors)
{
    const Value one = Value::ofNumber(1);
    const auto str = [](const std::string& text) { return Value::ofString(text); };
    const std::tuple<ValueList, std::string, const char*> cases[] = {
        {{}, "", "Function 'rubik' expects 1 or more parameters."},
        {{one, one, one}, "", "Function 'rubik' expects 2 or less parameters."},
        {{one, one}, "", "Function 'rubik' expects 'String' parameter 1."},
        {{str("not a cube"), one}, "", "Function 'rubik' expects 'String' parameter 2."},
        {{str("gggrrrrrrwwwwwwwww\nbbboooooo ooogggggg rrrbbbbbbyyyyyyyyy ")}, "U ", nullptr}, // after U', in colours
        {{str(kSolved), str(kAfterUPrime)}, "U' ", nullptr},
        {{str(kSolved)}, "", nullptr},
        // Already in the wanted state: no move, although the search would find a sequence that cancels out.
        {{str(kThirteenMoves), str(kThirteenMoves)}, "", nullptr},
        {{str(std::string(54, 'X')), str(std::string(54, 'x'))}, "", nullptr}, // the same, though no cube
        {{str(kAfterUPrime), str(kSolved.substr(1))}, "", nullptr},
        {{str(kSolved), str("UUUUUUUUFURRRRRRRRFFRFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB")}, "", nullptr}, // twisted pattern
    };
    for (const auto& [args, moves, error] : cases)
    {
        SCOPED_TRACE(error ? error : args.back().text);
        std::string out = "earlier output";
        const ValueList& given = args; // lambdas may not capture structured bindings before C++20
        if (error)
            EXPECT_THAT([&] { callBuiltinFunction("RuBiK", given, &out); },
                        testing::ThrowsMessage<ErrorException>(testing::StrEq(error)));
        else
            EXPECT_EQ(callBuiltinFunction("RuBiK", args, &out), static_cast<double>(moves.size()));
        EXPECT_EQ(out, moves);
    }
}

TEST(RubikTest, NormalisesDescriptions)
{
    const std::pair<std::string, std::string> cases[] = {
        {"UUUUUUUUU\nRRRRRRRRR\r\nFFF FFF FFF\tDDDDDDDDD\vLLLLLLLLL\fBBBBBBBBB ", kSolved},
        // Each face goes to the slot its centre names, whatever else it holds.
        {"RRRRRRRRLUUUUUUUUFFFFFFFFFFDDDDDDDDDBLLLLLLLLBBBBBBBBU",
         "UUUUUUUUFRRRRRRRRLFFFFFFFFFDDDDDDDDDBLLLLLLLLBBBBBBBBU"},
        // Two faces naming one slot: the later wins, and the slot nobody names keeps its letters.
        {"UUUUUUUUURRRRURRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB",
         "RRRRURRRRRRRRURRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB"},
        {"XXXXXXXXXUUUUUUUUUFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB",
         "UUUUUUUUUUUUUUUUUUFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB"},
        {"\xe9" + kSolved.substr(1), "\xe9" + kSolved.substr(1)}, // no locale upper-casing
        {kSolved.substr(1), ""},
        {kSolved + "U", ""},
    };
    for (const auto& [description, expected] : cases)
        EXPECT_EQ(Cube::normalizeCubeString(description), expected) << description;
}

} // namespace
} // namespace Morvantis::ExpressionUtils
