#include "KnownCubes.h"
#include "support/BuiltinTesting.h"

#include <Morvantis/Cube.h>

#include <gtest/gtest.h>

namespace Morvantis::ExpressionUtils::Testing
{
namespace
{
const std::string kSolved = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";
const std::string kAfterUPrime = KnownCubes::kAfterUPrime.description;
const std::string kThirteenMoves = KnownCubes::kThirteenMoves.description;

// A failing call empties the output before its first check; a good one returns the moves' byte length.
TEST(RubikTest, MovesOrExactErrors)
{
    const auto moves = [](ValueList args, const std::string& text) -> Case {
        return {"RuBiK", std::move(args), static_cast<double>(text.size()), {}, text};
    };
    const auto refused = [](ValueList args, const std::string& message) -> Case {
        return {"RuBiK", std::move(args), 0, "Function 'rubik' expects " + message, ""};
    };
    check({
        refused({}, "1 or more parameters."), refused({num(1), num(1), num(1)}, "2 or less parameters."),
        refused({num(1), num(1)}, "'String' parameter 1."),
        refused({str("not a cube"), num(1)}, "'String' parameter 2."),
        moves({str("gggrrrrrrwwwwwwwww\nbbboooooo ooogggggg rrrbbbbbbyyyyyyyyy ")}, "U "), // after U', in colours
        moves({str(kSolved), str(kAfterUPrime)}, "U' "), moves({str(kSolved)}, ""),
        // Already in the wanted state: no move, although the search would find a sequence that cancels out.
        moves({str(kThirteenMoves), str(kThirteenMoves)}, ""),
        moves({str(std::string(54, 'X')), str(std::string(54, 'x'))}, ""), // the same, though no cube
        moves({str(kAfterUPrime), str(kSolved.substr(1))}, ""),
        moves({str(kSolved), str("UUUUUUUUFURRRRRRRRFFRFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB")}, ""), // twisted pattern
    });
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
} // namespace Morvantis::ExpressionUtils::Testing
