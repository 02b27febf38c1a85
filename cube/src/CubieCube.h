// The two models of a cube state: 54 coloured facelets, and the 8 corner and 12 edge pieces.
#pragma once

#include <array>
#include <cstddef>
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

struct CubieCube
{
    std::array<int32_t, kCornerCount> cornerPerm; // piece at each corner position
    std::array<int8_t, kCornerCount> cornerOri;   // 0..2; 3..5 are mirrored orientations
    std::array<int32_t, kEdgeCount> edgePerm;     // piece at each edge position
    std::array<int8_t, kEdgeCount> edgeOri;       // 0 or 1 (flipped)
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

// What verifyCubie finds. Its checks run in this order, and the first that fails is the result.
enum class CubieCheck
{
    Valid,
    EdgePieces,   // edgePerm holds some edge piece other than exactly once
    EdgeFlip,     // the edge orientations add up to an odd number
    CornerPieces, // cornerPerm holds some corner piece other than exactly once
    CornerTwist,  // the corner orientations add up to no multiple of 3
    Parity,       // the edge and corner permutations differ in parity
};

CubieCheck verifyCubie(const CubieCube& cube);

// The parity of a permutation of N pieces: its number of inversions (j < i with perm[j] > perm[i]), mod 2.
template <std::size_t N> int32_t permutationParity(const std::array<int32_t, N>& perm)
{
    int32_t inversions = 0;
    for (std::size_t i = 1; i < N; ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (perm[j] > perm[i])
                ++inversions;
    return inversions % 2;
}

} // namespace Morvantis::Cube
