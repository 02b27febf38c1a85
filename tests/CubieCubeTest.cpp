#include "CubieCube.h"
#include "FaceletTurns.h"

#include <gtest/gtest.h>

#include <functional>

namespace Morvantis::Cube
{
namespace
{
using FaceletTurns::kSolved;

CubieCube cubieAfter(const std::vector<FaceletTurns::Move>& moves)
{
    CubieCube cube = newSolvedCubie();
    for (const auto& [face, power] : moves)
        for (int i = 0; i < power; ++i)
        {
            multiplyCorners(cube, moveCubies[static_cast<std::size_t>(face)]);
            multiplyEdges(cube, moveCubies[static_cast<std::size_t>(face)]);
        }
    return cube;
}

// The test's sticker model and the cubie model must both agree with published cube descriptions; the
// solver's property test covers random cubes.
TEST(CubieCubeTest, ModelsMatchPublishedDescriptions)
{
    const std::pair<const char*, const char*> cases[] = {
        {"U' ", "UUUUUUUUUFFFRRRRRRLLLFFFFFFDDDDDDDDDBBBLLLLLLRRRBBBBBB"},
        {"U ", "UUUUUUUUUBBBRRRRRRRRRFFFFFFDDDDDDDDDFFFLLLLLLLLLBBBBBB"},
        {"R ", "UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB"},
        {"U D' R L' F B' ", "FFFFUFFFFRRRURURRRDDDRFRDDDBBBBDBBBBLLLDLDLLLUUULBLUUU"},
    };
    for (const auto& [text, expected] : cases)
    {
        SCOPED_TRACE(text);
        const auto moves = FaceletTurns::parseMoves(text);
        ASSERT_EQ(FaceletTurns::applyMoves(kSolved, moves), expected);
        const CubieCube cube = cubieAfter(moves);
        EXPECT_EQ(faceletsFromCubie(cube), faceletColours(expected));
        EXPECT_EQ(faceletsFromCubie(cubieFromFacelets(faceletColours(expected))), faceletsFromCubie(cube));
        CubieCube inverse = newSolvedCubie();
        invertCubie(cube, inverse);
        multiplyCorners(inverse, cube);
        multiplyEdges(inverse, cube);
        EXPECT_EQ(faceletsFromCubie(inverse), faceletsFromCubie(newSolvedCubie()));
    }
}

// Checks run edges, flip, corners, twist, parity: each row pairs a fault with the next check's fault.
TEST(CubieCubeTest, VerifyReportsTheFirstFault)
{
    using Damage = std::function<void(CubieCube&)>;
    const Damage twist = [](CubieCube& c) { c.cornerOri[3] = static_cast<int8_t>((c.cornerOri[3] + 1) % 3); };
    const Damage flip = [](CubieCube& c) { c.edgeOri[5] = static_cast<int8_t>(1 - c.edgeOri[5]); };
    const Damage swapEdges = [](CubieCube& c) { std::swap(c.edgePerm[0], c.edgePerm[7]); };
    const Damage swapCorners = [](CubieCube& c) { std::swap(c.cornerPerm[1], c.cornerPerm[6]); };
    const Damage repeatEdge = [](CubieCube& c) { c.edgePerm[2] = c.edgePerm[9]; };
    const Damage repeatCorner = [](CubieCube& c) { c.cornerPerm[2] = c.cornerPerm[4]; };
    const std::pair<std::vector<Damage>, CubieCheck> cases[] = {
        {{repeatEdge, flip}, CubieCheck::EdgePieces},      {{flip, repeatCorner}, CubieCheck::EdgeFlip},
        {{repeatCorner, twist}, CubieCheck::CornerPieces}, {{twist, swapEdges}, CubieCheck::CornerTwist},
        {{swapEdges}, CubieCheck::Parity},                 {{swapEdges, swapCorners}, CubieCheck::Valid},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        CubieCube cube = cubieAfter({{1, 1}, {2, 3}});
        for (const Damage& d : cases[i].first)
            d(cube);
        EXPECT_EQ(verifyCubie(cube), cases[i].second) << "case " << i;
    }
}

TEST(CubieCubeTest, UnmatchedColoursReadAsPieceZero)
{
    const Facelets colours = faceletColours(std::string("uxW") + std::string(51, 'B'));
    EXPECT_EQ(std::vector<int32_t>(colours.begin(), colours.begin() + 4), (std::vector<int32_t>{0, 0, 0, 5}));

    // UF shows U and D, which no edge has: it reads as UR, then there twice. URF shows neither U nor D,
    // so it is read from its second and third facelets (F, L: piece UFL).
    std::string text = kSolved;
    text[19] = 'D';
    text.replace(8, 2, "LF");
    text[20] = 'L';
    const CubieCube cube = cubieFromFacelets(faceletColours(text));
    EXPECT_EQ(std::tuple(cube.edgePerm[1], int32_t{cube.edgeOri[1]}, cube.cornerPerm[0], int32_t{cube.cornerOri[0]}),
              std::tuple(0, 0, 1, 0));
    EXPECT_EQ(verifyCubie(cube), CubieCheck::EdgePieces);
}

} // namespace
} // namespace Morvantis::Cube
