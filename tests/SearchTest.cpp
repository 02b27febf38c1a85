#include "Search.h"
#include "CubieCube.h"
#include "FaceletTurns.h"
#include "KnownCubes.h"

#include <Morvantis/Cube.h>

#include <gtest/gtest.h>

#include <functional>
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
    for (const auto& known : KnownCubes::kCubes)
    {
        SCOPED_TRACE(known.scramble);
        // The published descriptions also vouch for the test's own sticker model.
        ASSERT_EQ(FaceletTurns::applyMoves(kSolved, FaceletTurns::parseMoves(known.scramble)), known.description);
        EXPECT_EQ(solveCube(known.description), known.answer);
    }
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        // Recorded from a uniformly random cube: a change to the search order or its bounds (phase 2 at
        // most 10 moves, 24 in all, each phase's pruning bound) changes it.
        {"FRRDURDDUBBUBRBLLLRRRBFDLUBBLDLDFLUFRFBRLUDDUFUDLBFUFF",
         "U' R L' B L2 F D B D' L' F L2 U R2 U2 L2 U' B2 R2 U B2 "},
        {"UUUUUUUUUFFFRRRRRRLLLFFFFFFDDDDDDDDDBBBLLLLLLRRRBBBBBBRRRR", "U "},     // only 54 letters count
        {"RUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB", std::nullopt}, // eight U, ten R
        {std::string(kSolved, 53), std::nullopt},
    };
    for (const auto& [cube, moves] : cases)
        EXPECT_EQ(solveCube(cube), moves) << cube;
}

// The checks run edges, flip, corners, twist, parity: each row pairs a fault with the next check's fault.
TEST(SearchTest, VerifyNamesTheFirstFault)
{
    using Damage = std::function<void(CubieCube&)>;
    const Damage twist = [](CubieCube& c) { c.cornerOri[3] = static_cast<int8_t>((c.cornerOri[3] + 1) % 3); };
    const Damage flip = [](CubieCube& c) { c.edgeOri[5] = static_cast<int8_t>(1 - c.edgeOri[5]); };
    const Damage swapEdges = [](CubieCube& c) { std::swap(c.edgePerm[0], c.edgePerm[7]); };
    const Damage swapCorners = [](CubieCube& c) { std::swap(c.cornerPerm[1], c.cornerPerm[6]); };
    const Damage repeatEdge = [](CubieCube& c) { c.edgePerm[2] = c.edgePerm[9]; };
    const Damage repeatCorner = [](CubieCube& c) { c.cornerPerm[2] = c.cornerPerm[4]; };
    const std::pair<std::vector<Damage>, CubieCheck> cases[] = {
        {{repeatEdge, flip}, CubieCheck::EdgePieces},
        {{flip, repeatCorner}, CubieCheck::EdgeFlip},
        {{repeatCorner, twist}, CubieCheck::CornerPieces},
        {{twist, swapEdges}, CubieCheck::CornerTwist},
        {{swapEdges}, CubieCheck::Parity},
        {{swapEdges, swapCorners}, CubieCheck::Valid},
    };
    const std::string turned = FaceletTurns::applyMoves(kSolved, FaceletTurns::parseMoves("R F' "));
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        CubieCube cube = cubieFromFacelets(faceletColours(turned));
        for (const Damage& d : cases[i].first)
            d(cube);
        EXPECT_EQ(verifyCubie(cube), cases[i].second) << "case " << i;
    }
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
