#include "CubieCube.h"
#include "FaceletTurns.h"

#include <gtest/gtest.h>

#include <functional>

namespace Morvantis::Cube
{
namespace
{
using FaceletTurns::kSolved;

CubieCube applyMove(CubieCube cube, int face, int power)
{
    for (int i = 0; i < power; ++i)
    {
        multiplyCorners(cube, moveCubies[static_cast<std::size_t>(face)]);
        multiplyEdges(cube, moveCubies[static_cast<std::size_t>(face)]);
    }
    return cube;
}

// The test's sticker model must itself agree with published cube descriptions.
TEST(FaceletTurnsTest, TurnsMatchPublishedDescriptions)
{
    const std::pair<const char*, const char*> cases[] = {
        {"U' ", "UUUUUUUUUFFFRRRRRRLLLFFFFFFDDDDDDDDDBBBLLLLLLRRRBBBBBB"},
        {"U ", "UUUUUUUUUBBBRRRRRRRRRFFFFFFDDDDDDDDDFFFLLLLLLLLLBBBBBB"},
        {"R ", "UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB"},
        {"U D' R L' F B' ", "FFFFUFFFFRRRURURRRDDDRFRDDDBBBBDBBBBLLLDLDLLLUUULBLUUU"},
    };
    for (const auto& [moves, expected] : cases)
    {
        SCOPED_TRACE(moves);
        EXPECT_EQ(FaceletTurns::applyMoves(kSolved, FaceletTurns::parseMoves(moves)), expected);
    }
}

TEST(CubieCubeTest, ProductsAndInversesAgreeWithStickerTurns)
{
    EXPECT_EQ(faceletsFromCubie(newSolvedCubie()), faceletColours(kSolved));
    for (int face = 0; face < kFaceCount; ++face)
    {
        SCOPED_TRACE(face);
        EXPECT_EQ(faceletsFromCubie(moveCubies[static_cast<std::size_t>(face)]),
                  faceletColours(FaceletTurns::turn(kSolved, face, 1)));
        EXPECT_EQ(applyMove(newSolvedCubie(), face, 4), newSolvedCubie());
    }

    std::mt19937 rng(20211125);
    for (int round = 0; round < 200; ++round)
    {
        SCOPED_TRACE(round);
        CubieCube cube = newSolvedCubie();
        std::string stickers = kSolved;
        for (int i = 0; i < 25; ++i)
        {
            const int face = std::uniform_int_distribution<int>(0, 5)(rng);
            const int power = std::uniform_int_distribution<int>(1, 3)(rng);
            cube = applyMove(cube, face, power);
            stickers = FaceletTurns::turn(stickers, face, power);
        }
        ASSERT_EQ(faceletsFromCubie(cube), faceletColours(stickers));
        EXPECT_EQ(cubieFromFacelets(faceletColours(stickers)), cube);
        EXPECT_EQ(verifyCubie(cube), 0);

        CubieCube inverse = newSolvedCubie();
        invertCubie(cube, inverse);
        for (auto [left, right] : {std::pair(inverse, cube), std::pair(cube, inverse)})
        {
            multiplyCorners(left, right);
            multiplyEdges(left, right);
            EXPECT_EQ(left, newSolvedCubie());
        }
    }
}

TEST(CubieCubeTest, VerifyReportsTheFirstFault)
{
    using Damage = std::function<void(CubieCube&)>;
    const Damage twist = [](CubieCube& c) { c.cornerOri[3] = static_cast<int8_t>((c.cornerOri[3] + 1) % 3); };
    const Damage flip = [](CubieCube& c) { c.edgeOri[5] = static_cast<int8_t>(1 - c.edgeOri[5]); };
    const Damage swapEdges = [](CubieCube& c) { std::swap(c.edgePerm[0], c.edgePerm[7]); };
    const Damage swapCorners = [](CubieCube& c) { std::swap(c.cornerPerm[1], c.cornerPerm[6]); };
    const Damage repeatEdge = [](CubieCube& c) { c.edgePerm[2] = c.edgePerm[9]; };
    const Damage repeatCorner = [](CubieCube& c) { c.cornerPerm[2] = c.cornerPerm[4]; };
    // Checks run edges, flip, corners, twist, parity; the first failing one gives the code.
    const std::pair<std::vector<Damage>, int32_t> cases[] = {
        {{}, 0},                       {{twist}, -5},
        {{flip}, -3},                  {{swapEdges}, -6},
        {{swapCorners}, -6},           {{swapEdges, swapCorners}, 0},
        {{repeatEdge, twist}, -2},     {{flip, repeatCorner}, -3},
        {{repeatCorner, twist}, -4},   {{twist, swapEdges}, -5},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        CubieCube cube = applyMove(applyMove(newSolvedCubie(), 1, 1), 2, 3);
        for (const Damage& d : cases[i].first)
            d(cube);
        EXPECT_EQ(verifyCubie(cube), cases[i].second) << "case " << i;
    }
}

TEST(CubieCubeTest, UnmatchedColoursReadAsPieceZero)
{
    const Facelets colours = faceletColours(std::string("URFDLBuxW") + std::string(45, 'B'));
    EXPECT_EQ(std::vector<int32_t>(colours.begin(), colours.begin() + 10),
              (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 0, 0, 0, 5}));

    // UF showing U and D matches no edge: it reads as UR, which is then there twice.
    std::string edge = kSolved;
    edge[19] = 'D';
    const CubieCube fromEdge = cubieFromFacelets(faceletColours(edge));
    EXPECT_EQ(std::pair(fromEdge.edgePerm[1], int32_t{fromEdge.edgeOri[1]}), std::pair(0, 0));
    EXPECT_EQ(verifyCubie(fromEdge), -2);

    // URF showing neither U nor D is read from its second and third facelets (F, L: piece UFL).
    std::string corner = kSolved;
    corner.replace(8, 2, "LF");
    corner[20] = 'L';
    const CubieCube fromCorner = cubieFromFacelets(faceletColours(corner));
    EXPECT_EQ(std::pair(fromCorner.cornerPerm[0], int32_t{fromCorner.cornerOri[0]}), std::pair(1, 0));
    EXPECT_EQ(verifyCubie(fromCorner), -4);
}

} // namespace
} // namespace Morvantis::Cube
