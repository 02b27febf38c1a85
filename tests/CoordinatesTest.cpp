#include "Coordinates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

namespace Morvantis::Cube
{
namespace
{
template <std::size_t N>
bool isPermutation(std::array<int32_t, N> perm)
{
    std::sort(perm.begin(), perm.end());
    for (std::size_t i = 0; i < N; ++i)
        if (perm[i] != static_cast<int32_t>(i))
            return false;
    return true;
}

// Whether pieces low..high all lie in positions below end.
bool piecesBelow(const std::array<int32_t, kEdgeCount>& perm, int32_t low, int32_t high, std::size_t end)
{
    for (std::size_t p = end; p < perm.size(); ++p)
        if (perm[p] >= low && perm[p] <= high)
            return false;
    return true;
}

TEST(CoordinatesTest, SolvedCubeAndQuarterTurn)
{
    const CoordCube solved = coordCubeFromCubie(newSolvedCubie());
    EXPECT_EQ((std::vector<int32_t>{solved.twist, solved.flip, solved.parity, solved.sliceEdge, solved.cornerSix,
                                    solved.edgeTripleA, solved.edgeTripleB, solved.edgeSix}),
              (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 114, 0}));
    const CoordCube u = coordCubeFromCubie(moveCubies[0]);
    EXPECT_EQ((std::vector<int32_t>{u.twist, u.flip, u.sliceEdge, u.parity}), (std::vector<int32_t>{0, 0, 0, 1}));
}

// Every value of every coordinate: set, read back, and check the placement the value stands for.
TEST(CoordinatesTest, EveryValueRoundTrips)
{
    using Check = std::function<bool(const CubieCube&, int32_t)>;
    struct Case
    {
        const char* name;
        int32_t count;
        std::function<void(CubieCube&, int32_t)> set;
        std::function<int32_t(const CubieCube&)> get;
        Check placement;
    };
    const auto sum = [](const auto& values) { return std::accumulate(values.begin(), values.end(), 0); };
    const auto i16 = [](int32_t v) { return static_cast<int16_t>(v); };
    const Check triple = [](const CubieCube& c, int32_t) { return std::count(c.edgePerm.begin(), c.edgePerm.end(), 11) == 9; };
    const Case cases[] = {
        {"twist", kTwistCount, [&](CubieCube& c, int32_t v) { setTwistCoord(c, i16(v)); }, getTwistCoord,
         [&](const CubieCube& c, int32_t) { return sum(c.cornerOri) % 3 == 0; }},
        {"flip", kFlipCount, [&](CubieCube& c, int32_t v) { setFlipCoord(c, i16(v)); }, getFlipCoord,
         [&](const CubieCube& c, int32_t) { return sum(c.edgeOri) % 2 == 0; }},
        {"sliceEdge", kSliceEdgeCount, [&](CubieCube& c, int32_t v) { setSliceEdgeCoord(c, i16(v)); },
         getSliceEdgeCoord,
         [](const CubieCube& c, int32_t v) {
             // Below 24 exactly when the slice edges are in the slice (no piece 8..11 below position 8).
             const bool inSlice = std::all_of(c.edgePerm.begin(), c.edgePerm.begin() + 8, [](int32_t e) { return e < 8; });
             return isPermutation(c.edgePerm) && (v < kSliceOrders) == inSlice;
         }},
        {"cornerSix", kCornerSixCount, [&](CubieCube& c, int32_t v) { setCornerSixCoord(c, i16(v)); },
         getCornerSixCoord, [](const CubieCube& c, int32_t) { return isPermutation(c.cornerPerm); }},
        {"edgeSix", kEdgeSixCount, setEdgeSixCoord, getEdgeSixCoord,
         [](const CubieCube& c, int32_t v) {
             return isPermutation(c.edgePerm) && (v < kEdgeSixInSubgroup) == piecesBelow(c.edgePerm, 0, 5, 8);
         }},
        {"edgeTripleA", kEdgeTripleCount, [&](CubieCube& c, int32_t v) { setEdgeTripleACoord(c, i16(v)); },
         getEdgeTripleACoord,
         [&](const CubieCube& c, int32_t v) {
             return triple(c, v) && (v < kEdgeTripleInSubgroup) == piecesBelow(c.edgePerm, 0, 2, 8);
         }},
        {"edgeTripleB", kEdgeTripleCount, [&](CubieCube& c, int32_t v) { setEdgeTripleBCoord(c, i16(v)); },
         getEdgeTripleBCoord,
         [&](const CubieCube& c, int32_t v) {
             return triple(c, v) && (v < kEdgeTripleInSubgroup) == piecesBelow(c.edgePerm, 3, 5, 8);
         }},
    };
    // Start away from solved so that a setter writing more than its own field shows.
    CubieCube start = moveCubies[1];
    multiplyCorners(start, moveCubies[2]);
    multiplyEdges(start, moveCubies[2]);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string name = c.name;
        for (int32_t v = 0; v < c.count; ++v)
        {
            CubieCube cube = start;
            c.set(cube, v);
            ASSERT_EQ(c.get(cube), v);
            ASSERT_TRUE(c.placement(cube, v)) << v;
            ASSERT_TRUE(name == "twist" || cube.cornerOri == start.cornerOri) << v;
            ASSERT_TRUE(name == "flip" || cube.edgeOri == start.edgeOri) << v;
            ASSERT_TRUE(name == "cornerSix" || cube.cornerPerm == start.cornerPerm) << v;
            ASSERT_TRUE(name.find("edge") == 0 || name == "sliceEdge" || cube.edgePerm == start.edgePerm) << v;
        }
    }
}

// The triple setters leave piece 11 on the other nine positions (the merge table relies on it).
TEST(CoordinatesTest, TripleSettersMarkEmptyPositions)
{
    CubieCube cube = newSolvedCubie();
    setEdgeTripleBCoord(cube, 0);
    EXPECT_EQ(cube.edgePerm, (std::array<int32_t, 12>{3, 4, 5, 11, 11, 11, 11, 11, 11, 11, 11, 11}));
    setEdgeTripleBCoord(cube, kSolvedEdgeTripleB);
    EXPECT_EQ(cube.edgePerm, (std::array<int32_t, 12>{11, 11, 11, 3, 4, 5, 11, 11, 11, 11, 11, 11}));
}

TEST(CoordinatesTest, RotateLeft)
{
    const std::pair<int32_t, std::array<int32_t, 4>> cases[] = {
        {0, {5, 6, 7, 8}}, {1, {6, 5, 7, 8}}, {2, {6, 7, 5, 8}}, {3, {6, 7, 8, 5}}};
    for (const auto& [k, expected] : cases)
    {
        std::array<int32_t, 4> list{5, 6, 7, 8};
        rotateLeft(list.data(), k);
        EXPECT_EQ(list, expected) << k;
    }
}

} // namespace
} // namespace Morvantis::Cube
