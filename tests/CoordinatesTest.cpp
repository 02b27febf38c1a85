#include "Coordinates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

namespace Morvantis::Cube
{
namespace
{
// Whether edge pieces low..high all lie in positions 0..7.
bool inFirstEight(const std::array<int32_t, kEdgeCount>& perm, int32_t low, int32_t high)
{
    return std::none_of(perm.begin() + 8, perm.end(), [&](int32_t e) { return e >= low && e <= high; });
}

template <std::size_t N> bool isPermutation(const std::array<int32_t, N>& perm)
{
    std::array<int32_t, N> pieces{};
    std::iota(pieces.begin(), pieces.end(), 0);
    return std::is_permutation(perm.begin(), perm.end(), pieces.begin());
}

// Every value of every coordinate: set, read back, check the placement the value stands for and that
// the setter wrote nothing but its own field; and the value the solved cube reads.
TEST(CoordinatesTest, EveryValueRoundTrips)
{
    using Check = std::function<bool(const CubieCube&, int32_t)>;
    struct Case
    {
        const char* name;
        int32_t count, solved;
        char field; // o: corner twists, f: edge flips, c: corner places, e: edge places
        std::function<void(CubieCube&, int32_t)> set;
        std::function<int32_t(const CubieCube&)> get;
        Check placement;
    };
    const auto sum = [](const auto& values) { return std::accumulate(values.begin(), values.end(), 0); };
    // Values below `below` exactly when pieces low..high lie in positions 0..7; the triple setters
    // leave piece 11 on the nine positions that hold none of their pieces.
    const auto inSubgroup = [](int32_t below, int32_t low, int32_t high, bool triple = false) -> Check
    {
        return [=](const CubieCube& c, int32_t v)
        {
            const bool pieces =
                triple ? std::count(c.edgePerm.begin(), c.edgePerm.end(), 11) == 9 : isPermutation(c.edgePerm);
            return pieces && (v < below) == inFirstEight(c.edgePerm, low, high);
        };
    };
    const Case cases[] = {
        {"twist", kTwistCount, 0, 'o', setTwistCoord, getTwistCoord,
         [&](const CubieCube& c, int32_t) { return sum(c.cornerOri) % 3 == 0; }},
        {"flip", kFlipCount, 0, 'f', setFlipCoord, getFlipCoord,
         [&](const CubieCube& c, int32_t) { return sum(c.edgeOri) % 2 == 0; }},
        // Below 24 exactly when the slice edges are in the slice, that is pieces 0..7 out of it.
        {"sliceEdge", kSliceEdgeCount, 0, 'e', setSliceEdgeCoord, getSliceEdgeCoord, inSubgroup(kSliceOrders, 0, 7)},
        {"cornerSix", kCornerSixCount, 0, 'c', setCornerSixCoord, getCornerSixCoord,
         [](const CubieCube& c, int32_t) { return isPermutation(c.cornerPerm); }},
        {"edgeSix", 665280, 0, 'e', setEdgeSixCoord, getEdgeSixCoord, inSubgroup(kEdgeSixInSubgroup, 0, 5)},
        {"edgeTripleA", kEdgeTripleCount, 0, 'e', setEdgeTripleACoord, getEdgeTripleACoord,
         inSubgroup(kEdgeTripleInSubgroup, 0, 2, true)},
        {"edgeTripleB", kEdgeTripleCount, 114, 'e', setEdgeTripleBCoord, getEdgeTripleBCoord,
         inSubgroup(kEdgeTripleInSubgroup, 3, 5, true)},
    };
    // Start away from solved so that a setter writing more than its own field shows.
    CubieCube start = moveCubies[1];
    multiplyCorners(start, moveCubies[2]);
    multiplyEdges(start, moveCubies[2]);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.get(newSolvedCubie()), c.solved);
        for (int32_t v = 0; v < c.count; ++v)
        {
            CubieCube cube = start;
            c.set(cube, v);
            ASSERT_EQ(c.get(cube), v);
            ASSERT_TRUE(c.placement(cube, v)) << v;
            ASSERT_TRUE(c.field == 'o' || cube.cornerOri == start.cornerOri) << v;
            ASSERT_TRUE(c.field == 'f' || cube.edgeOri == start.edgeOri) << v;
            ASSERT_TRUE(c.field == 'c' || cube.cornerPerm == start.cornerPerm) << v;
            ASSERT_TRUE(c.field == 'e' || cube.edgePerm == start.edgePerm) << v;
        }
    }
}

} // namespace
} // namespace Morvantis::Cube
