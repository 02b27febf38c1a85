// Small whole numbers that each encode one aspect of a cube; the search moves these, not cubies.
#pragma once

#include "CubieCube.h"

#include <array>
#include <cstdint>

namespace Morvantis::Cube
{

constexpr int32_t kTwistCount = 2187;          // 3^7
constexpr int32_t kFlipCount = 2048;           // 2^11
constexpr int32_t kSliceEdgeCount = 11880;     // 12 * 11 * 10 * 9
constexpr int32_t kSliceOrders = 24;           // orders of the four slice edges
constexpr int32_t kSlicePlaces = 495;          // binom(12, 4)
constexpr int32_t kCornerSixCount = 20160;     // 8! / 2
constexpr int32_t kEdgeTripleCount = 1320;     // 12 * 11 * 10
constexpr int32_t kEdgeSixInSubgroup = 20160;  // edges 0..5 all in positions 0..7
constexpr int32_t kEdgeTripleInSubgroup = 336; // the three edges all in positions 0..7

static_assert(kSliceEdgeCount == kSlicePlaces * kSliceOrders, "sliceEdge = places * 24 + order");

struct CoordCube
{
    int16_t twist;       // corner orientations at positions 0..6
    int16_t flip;        // edge orientations at positions 0..10
    int16_t parity;      // corner permutation parity
    int16_t sliceEdge;   // places and order of edges 8..11
    int16_t cornerSix;   // places and order of corners 0..5
    int16_t edgeTripleA; // places and order of edges 0..2
    int16_t edgeTripleB; // places and order of edges 3..5
    int32_t edgeSix;     // places and order of edges 0..5
};

CoordCube coordCubeFromCubie(const CubieCube& cube);

int16_t getTwistCoord(const CubieCube& cube);
void setTwistCoord(CubieCube& cube, int16_t twist);
int16_t getFlipCoord(const CubieCube& cube);
void setFlipCoord(CubieCube& cube, int16_t flip);

// The permutation setters rewrite the whole permutation of their piece type and nothing else.
int16_t getSliceEdgeCoord(const CubieCube& cube);
void setSliceEdgeCoord(CubieCube& cube, int16_t value);
int16_t getCornerSixCoord(const CubieCube& cube);
void setCornerSixCoord(CubieCube& cube, int16_t value);
int32_t getEdgeSixCoord(const CubieCube& cube);
void setEdgeSixCoord(CubieCube& cube, int32_t value);
// The triple setters leave piece 11 on every edge position that holds none of the three.
int16_t getEdgeTripleACoord(const CubieCube& cube);
void setEdgeTripleACoord(CubieCube& cube, int16_t value);
int16_t getEdgeTripleBCoord(const CubieCube& cube);
void setEdgeTripleBCoord(CubieCube& cube, int16_t value);

} // namespace Morvantis::Cube
