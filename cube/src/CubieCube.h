// The two models of a cube state: 54 coloured facelets, and the 8 corner and 12 edge pieces.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace Morvantis::Cube
{

// Faces and colours share one numbering: U 0, R 1, F 2, D 3, L 4, B 5.
constexpr int32_t kFaceCount = 6;
constexpr int32_t kCornerCount = 8;
constexpr int32_t kEdgeCount = 12;
constexpr int32_t kFaceletCount = 54;
constexpr int32_t kMoveCount = 18; // move m = 3 * face + power - 1

constexpr std::array<char, kFaceCount> faceLetters{'U', 'R', 'F', 'D', 'L', 'B'};

using Facelets = std::array<int32_t, kFaceletCount>;

// Facelet positions of each corner and edge position, first facelet on U/D (or F/B for edges 8..11).
extern const std::array<std::array<int32_t, 3>, kCornerCount> cornerFacelets;
extern const std::array<std::array<int32_t, 3>, kCornerCount> cornerColours;
extern const std::array<std::array<int32_t, 2>, kEdgeCount> edgeFacelets;
extern const std::array<std::array<int32_t, 2>, kEdgeCount> edgeColours;

struct CubieCube
{
    std::array<int32_t, kCornerCount> cornerPerm; // piece at each corner position
    std::array<int8_t, kCornerCount> cornerOri;   // 0..2; 3..5 are mirrored orientations
    std::array<int32_t, kEdgeCount> edgePerm;     // piece at each edge position
    std::array<int8_t, kEdgeCount> edgeOri;       // 0 or 1 (flipped)

    bool operator==(const CubieCube& other) const;
    bool operator!=(const CubieCube& other) const { return !(*this == other); }
};

// Clockwise quarter turns of U, R, F, D, L, B.
extern const std::array<CubieCube, kFaceCount> moveCubies;

CubieCube newSolvedCubie();

// Colour numbers of the first 54 bytes of text (which must hold at least 54); unknown letters give 0.
Facelets faceletColours(std::string_view text);

// Pieces that no colour combination matches read as piece 0 with orientation 0; verifyCubie finds them.
CubieCube cubieFromFacelets(const Facelets& facelets);
Facelets faceletsFromCubie(const CubieCube& cube);

// a = a * b (a followed by b); a and b may be the same cube.
void multiplyCorners(CubieCube& a, const CubieCube& b);
void multiplyEdges(CubieCube& a, const CubieCube& b);

// Writes the inverse of c into d.
void invertCubie(const CubieCube& c, CubieCube& d);

// 0 for a valid state; -2 edges not a permutation, -3 flip, -4 corners not a permutation, -5 twist, -6 parity.
int32_t verifyCubie(const CubieCube& cube);

} // namespace Morvantis::Cube
