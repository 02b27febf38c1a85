#include "Tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace Morvantis::Cube
{
namespace
{
CubieCube turned(CubieCube cube, int32_t move)
{
    for (int32_t i = 0; i <= move % 3; ++i)
    {
        multiplyCorners(cube, moveCubies[static_cast<std::size_t>(move / 3)]);
        multiplyEdges(cube, moveCubies[static_cast<std::size_t>(move / 3)]);
    }
    return cube;
}

bool isPhase2(int32_t move)
{
    return std::find(phase2Moves.begin(), phase2Moves.end(), move) != phase2Moves.end();
}

// The tables must say what the cubie model says, for every move and coordinate.
TEST(TablesTest, MoveTablesAgreeWithCubies)
{
    const Tables& t = buildMoveTables();
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round)
    {
        SCOPED_TRACE(round);
        // Odd rounds stay in the phase-2 subgroup, where edgeSix and the merge table apply.
        const bool subgroup = round % 2 == 1;
        CubieCube cube = newSolvedCubie();
        for (int i = 0; i < 20; ++i)
            cube = turned(cube, subgroup ? phase2Moves[std::uniform_int_distribution<std::size_t>(0, 9)(rng)]
                                         : std::uniform_int_distribution<int32_t>(0, 17)(rng));
        const CoordCube a = coordCubeFromCubie(cube);
        ASSERT_TRUE(!subgroup ||
                    t.edgeSixMergeTable[static_cast<std::size_t>(a.edgeTripleA * 336 + a.edgeTripleB)] == a.edgeSix);
        for (int32_t m = 0; m < kMoveCount; ++m)
        {
            SCOPED_TRACE(m);
            const CoordCube b = coordCubeFromCubie(turned(cube, m));
            EXPECT_EQ(moved<kTwistCount>(t.twistMoveTable, a.twist, m), b.twist);
            EXPECT_EQ(moved<kFlipCount>(t.flipMoveTable, a.flip, m), b.flip);
            EXPECT_EQ(moved<kSliceEdgeCount>(t.sliceEdgeMoveTable, a.sliceEdge, m), b.sliceEdge);
            EXPECT_EQ(moved<kSlicePlaces>(t.sliceCoarseMoveTable, a.sliceEdge / 24, m), b.sliceEdge / 24);
            EXPECT_EQ(moved<kCornerSixCount>(t.cornerSixMoveTable, a.cornerSix, m), b.cornerSix);
            EXPECT_EQ(moved<kEdgeTripleCount>(t.edgeTripleAMoveTable, a.edgeTripleA, m), b.edgeTripleA);
            EXPECT_EQ(moved<kEdgeTripleCount>(t.edgeTripleBMoveTable, a.edgeTripleB, m), b.edgeTripleB);
            EXPECT_EQ(parityMoveTable[static_cast<std::size_t>(a.parity * kMoveCount + m)], b.parity);
            EXPECT_TRUE(!subgroup || !isPhase2(m) ||
                        moved<kEdgeSixInSubgroup>(t.edgeSixMoveTable, a.edgeSix, m) == b.edgeSix);
        }
    }
}

// Exact distances: a neighbour is at most one move nearer or farther, every entry but the goal has
// one that is nearer, and the deepest entries are as deep as the move sets allow.
TEST(TablesTest, PruningTablesHoldExactDistances)
{
    const Tables& t = buildMoveTables();
    // Entry row * cols + col: a move takes the row on by its move table and the column by colMove.
    const auto check = [](const char* name, const auto& table, const auto& rowMoves, int32_t cols, auto colMove,
                          int32_t expectedDeepest)
    {
        SCOPED_TRACE(name);
        const bool phase2 = cols == kSliceOrders * 2;
        const auto entries = static_cast<int32_t>(rowMoves.size() / kMoveCount) * cols;
        EXPECT_EQ(pruneValue(table, 0), 0);
        int32_t deepest = 0;
        for (int32_t i = 0; i < entries; ++i)
        {
            const int32_t v = pruneValue(table, i);
            deepest = std::max(deepest, v);
            bool nearer = v == 0;
            for (int32_t m = 0; m < kMoveCount; ++m)
            {
                if (phase2 && !isPhase2(m))
                    continue;
                const int32_t w = pruneValue(
                    table, rowMoves[static_cast<std::size_t>(i / cols * kMoveCount + m)] * cols + colMove(i % cols, m));
                ASSERT_LE(std::abs(w - v), 1) << i << " move " << m;
                nearer = nearer || w == v - 1;
            }
            ASSERT_TRUE(nearer) << i;
        }
        EXPECT_EQ(deepest, expectedDeepest); // and so no entry was left at 15
    };
    const auto sliceParity = [&t](int32_t col, int32_t m)
    {
        return moved<kSliceEdgeCount>(t.sliceEdgeMoveTable, col / 2, m) * 2 +
               parityMoveTable[static_cast<std::size_t>(col % 2 * kMoveCount + m)];
    };
    const auto slicePlaces = [&t](int32_t col, int32_t m)
    { return moved<kSliceEdgeCount>(t.sliceEdgeMoveTable, col * kSliceOrders, m) / kSliceOrders; };
    check("cornerSixSliceParity", t.cornerSixSliceParityPrune, t.cornerSixMoveTable, 48, sliceParity, 14);
    check("edgeSixSliceParity", t.edgeSixSliceParityPrune, t.edgeSixMoveTable, 48, sliceParity, 12);
    check("twistSlice", t.twistSlicePrune, t.twistMoveTable, kSlicePlaces, slicePlaces, 9);
    check("flipSlice", t.flipSlicePrune, t.flipMoveTable, kSlicePlaces, slicePlaces, 9);
}

} // namespace
} // namespace Morvantis::Cube
