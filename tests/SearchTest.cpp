#include "Search.h"
#include "FaceletTurns.h"

#include <Morvantis/Cube.h>

#include <gtest/gtest.h>

#include <random>

namespace Morvantis::Cube
{
namespace
{
using FaceletTurns::kSolved;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kScrambles = 100;
#else
constexpr int kScrambles = 1000;
#endif

// Answers follow the search order; cubes that are no valid state, or no cube at all, have none.
TEST(SearchTest, FirstAnswerInTheSearchOrder)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        // U then U2 come first, but their phase-2 answers turn the same face again.
        {"UUUUUUUUUBBBRRRRRRRRRFFFFFFDDDDDDDDDFFFLLLLLLLLLBBBBBB", "U' "},
        {"UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB", "R' "},
        // Thirteen moves although six would do: the first answer found is the one returned.
        {"FFFFUFFFFRRRURURRRDDDRFRDDDBBBBDBBBBLLLDLDLLLUUULBLUUU", "F B R L U2 L2 F2 R2 D2 L2 B2 U' D' "},
        // Recorded from uniformly random cubes: a change to the search order or its bounds (phase 2
        // at most 10 moves, 24 in all) changes these.
        {"RBULURRDLUUBFRFRBBURFUFRFFURDFUDDDBDBDBBLLFFDLLDLBULRL",
         "D B' U D2 R B R2 U D' L F B2 D B2 D2 R2 L2 B2 R2 U' "},
        {"BUUFUUFBLFBLRRURDBUDDBFDRLFUDDFDFLBDDRRULRULBFFRRBLLLB",
         "F2 B D' B2 L B' U R D R' B' D2 F2 U L2 D F2 D B2 D F2 "},
        {"UBDRUDDFDLRLBRFRLBFLFUFRBBURDFUDURLLFFRULBDFUBLLDBRUDB",
         "U' D' L U2 D2 B2 R F2 L U' B' R2 F2 D' F2 B2 R2 D "},
        {"UUUUUUUUUFFFRRRRRRLLLFFFFFFDDDDDDDDDBBBLLLLLLRRRBBBBBBRRRR", "U "},     // only 54 letters count
        {"UUUUUUUURFRRRRRRRRFFUFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB", std::nullopt}, // corner URF twisted
        {"RUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB", std::nullopt}, // eight U, ten R
        {std::string(kSolved, 53), std::nullopt},
    };
    for (const auto& [cube, moves] : cases)
        EXPECT_EQ(solveCube(cube), moves) << cube;
}

// Each answer must be a move text of at most 24 moves that never turns one face twice in a row, turns
// opposite faces only as U D, R L, F B, and takes the cube to its target on the test's own stickers.
// Every fifth cube aims at a random pattern rather than the solved cube.
TEST(SearchTest, RandomScramblesReachTheirTargets)
{
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> length(8, 40);
    for (int round = 0; round < kScrambles; ++round)
    {
        SCOPED_TRACE(round);
        const bool toPattern = round % 5 == 0;
        const std::string cube = FaceletTurns::scramble(rng, length(rng));
        const std::string target = toPattern ? FaceletTurns::scramble(rng, 30) : kSolved;
        const std::string text = rubikSolve(cube, toPattern ? &target : nullptr);
        const auto moves = FaceletTurns::parseMoves(text);
        ASSERT_EQ(moves.empty(), cube == target) << cube;
        ASSERT_LE(moves.size(), 24u);
        for (std::size_t k = 1; k < moves.size(); ++k)
        {
            ASSERT_NE(moves[k - 1].first, moves[k].first) << text;
            ASSERT_NE(moves[k - 1].first - 3, moves[k].first) << text;
        }
        EXPECT_EQ(FaceletTurns::applyMoves(cube, moves), target) << text;
    }
}

} // namespace
} // namespace Morvantis::Cube
