#include "Tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

TEST(TablesTest, FirstRowsHoldSingleMovesOfTheSolvedCube)
{
    const Tables& t = buildMoveTables();
    EXPECT_TRUE(tablesBuilt());
    EXPECT_EQ(&t, &buildMoveTables());
    const auto row = [](const auto& table, std::size_t columns) {
        return std::vector<int32_t>(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(columns));
    };
    EXPECT_EQ(row(t.twistMoveTable, 18),
              (std::vector<int32_t>{0, 0, 0, 1494, 0, 1494, 1236, 0, 1236, 0, 0, 0, 412, 0, 412, 137, 0, 137}));
    EXPECT_EQ(row(t.sliceEdgeMoveTable, 18),
              (std::vector<int32_t>{0, 0, 0, 8824, 10, 8814, 5521, 1, 5520, 0, 0, 0, 3339, 5, 3340, 1904, 20, 1908}));
    EXPECT_EQ(row(t.cornerSixMoveTable, 3), (std::vector<int32_t>{6, 12, 18}));
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
        if (subgroup)
        {
            ASSERT_EQ(t.edgeSixMergeTable[static_cast<std::size_t>(a.edgeTripleA * 336 + a.edgeTripleB)], a.edgeSix);
        }
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

TEST(TablesTest, MergeTableCoversEachEdgeSixOnce)
{
    const auto& merge = buildMoveTables().edgeSixMergeTable;
    EXPECT_EQ(merge[static_cast<std::size_t>(kSolvedEdgeTripleB)], 0);
    EXPECT_EQ(merge[0], -1);
    // 336 placements of one triple times 60 of the other in the five places left: each edgeSix once,
    // and -1 exactly where the two triples share a position.
    std::vector<int32_t> hits(kEdgeSixInSubgroup);
    for (int32_t a = 0; a < kEdgeTripleInSubgroup; ++a)
    {
        CubieCube first = newSolvedCubie();
        setEdgeTripleACoord(first, static_cast<int16_t>(a));
        for (int32_t b = 0; b < kEdgeTripleInSubgroup; ++b)
        {
            CubieCube second = newSolvedCubie();
            setEdgeTripleBCoord(second, static_cast<int16_t>(b));
            bool overlap = false;
            for (std::size_t p = 0; p < 8; ++p)
                overlap = overlap || (first.edgePerm[p] != 11 && second.edgePerm[p] != 11);
            const int32_t entry = merge[static_cast<std::size_t>(a * kEdgeTripleInSubgroup + b)];
            ASSERT_EQ(entry == -1, overlap) << a << " " << b;
            if (entry >= 0)
                ++hits[static_cast<std::size_t>(entry)];
        }
    }
    EXPECT_TRUE(std::all_of(hits.begin(), hits.end(), [](int32_t n) { return n == 1; }));
}

// Exact distances: a neighbour is at most one move nearer or farther, every entry but the goal has
// one that is nearer, and the deepest entries are as deep as the move sets allow.
TEST(TablesTest, PruningTablesHoldExactDistances)
{
    const Tables& t = buildMoveTables();
    const auto phase2 = [&t](const auto& perm) {
        return [&t, &perm](int32_t i, int32_t m) {
            return (perm[static_cast<std::size_t>(i / 48 * kMoveCount + m)] * 24 +
                    moved<kSliceEdgeCount>(t.sliceEdgeMoveTable, i / 2 % 24, m)) * 2 +
                   parityMoveTable[static_cast<std::size_t>(i % 2 * kMoveCount + m)];
        };
    };
    const auto phase1 = [&t](const auto& orientation) {
        return [&t, &orientation](int32_t i, int32_t m) {
            return orientation[static_cast<std::size_t>(i / 495 * kMoveCount + m)] * 495 +
                   moved<kSliceEdgeCount>(t.sliceEdgeMoveTable, i % 495 * 24, m) / 24;
        };
    };
    struct Case
    {
        const char* name;
        std::function<int32_t(int32_t)> value;
        int32_t entries;
        std::function<int32_t(int32_t, int32_t)> successor;
        int32_t entryOne; // -1: not checked
        int32_t deepest;
    };
    const Case cases[] = {
        {"cornerSixSliceParity", [&](int32_t i) { return pruneValue(t.cornerSixSliceParityPrune, i); },
         kPhase2PruneEntries, phase2(t.cornerSixMoveTable), 11, 14},
        {"edgeSixSliceParity", [&](int32_t i) { return pruneValue(t.edgeSixSliceParityPrune, i); },
         kPhase2PruneEntries, phase2(t.edgeSixMoveTable), 8, 12},
        {"twistSlice", [&](int32_t i) { return pruneValue(t.twistSlicePrune, i); }, kTwistSlicePruneEntries,
         phase1(t.twistMoveTable), -1, 9},
        {"flipSlice", [&](int32_t i) { return pruneValue(t.flipSlicePrune, i); }, kFlipSlicePruneEntries,
         phase1(t.flipMoveTable), -1, 9},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value(0), 0);
        EXPECT_TRUE(c.entryOne < 0 || c.value(1) == c.entryOne);
        const bool phase2Table = c.entryOne >= 0;
        int32_t deepest = 0;
        for (int32_t i = 0; i < c.entries; ++i)
        {
            const int32_t v = c.value(i);
            deepest = std::max(deepest, v);
            bool nearer = v == 0;
            for (int32_t m = 0; m < kMoveCount; ++m)
            {
                if (phase2Table && !isPhase2(m))
                    continue;
                const int32_t w = c.value(c.successor(i, m));
                ASSERT_LE(std::abs(w - v), 1) << i << " move " << m;
                nearer = nearer || w == v - 1;
            }
            ASSERT_TRUE(nearer) << i;
        }
        EXPECT_EQ(deepest, c.deepest); // and so no entry was left at 15
    }
}

} // namespace
} // namespace Morvantis::Cube
