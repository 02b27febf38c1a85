#include "CubieCube.h"

namespace Morvantis::Cube
{
namespace
{
// Facelet positions of each corner and edge position, first facelet on U/D (or F/B for edges 8..11),
// and the colours of the piece at home there, in the same order.
// clang-format off
const std::array<std::array<int32_t, 3>, kCornerCount> cornerFacelets{{
    {8, 9, 20}, {6, 18, 38}, {0, 36, 47}, {2, 45, 11}, {29, 26, 15}, {27, 44, 24}, {33, 53, 42}, {35, 17, 51},
}};

const std::array<std::array<int32_t, 3>, kCornerCount> cornerColours{{
    {0, 1, 2}, {0, 2, 4}, {0, 4, 5}, {0, 5, 1}, {3, 2, 1}, {3, 4, 2}, {3, 5, 4}, {3, 1, 5},
}};

const std::array<std::array<int32_t, 2>, kEdgeCount> edgeFacelets{{
    {5, 10}, {7, 19}, {3, 37}, {1, 46}, {32, 16}, {28, 25},
    {30, 43}, {34, 52}, {23, 12}, {21, 41}, {50, 39}, {48, 14},
}};

const std::array<std::array<int32_t, 2>, kEdgeCount> edgeColours{{
    {0, 1}, {0, 2}, {0, 4}, {0, 5}, {3, 1}, {3, 2}, {3, 4}, {3, 5}, {2, 1}, {2, 4}, {5, 4}, {5, 1},
}};
// clang-format on
} // namespace

const std::array<CubieCube, kFaceCount> moveCubies{{
    // U
    {{3, 0, 1, 2, 4, 5, 6, 7},
     {0, 0, 0, 0, 0, 0, 0, 0},
     {3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    // R
    {{4, 1, 2, 0, 7, 5, 6, 3},
     {2, 0, 0, 1, 1, 0, 0, 2},
     {8, 1, 2, 3, 11, 5, 6, 7, 4, 9, 10, 0},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    // F
    {{1, 5, 2, 3, 0, 4, 6, 7},
     {1, 2, 0, 0, 2, 1, 0, 0},
     {0, 9, 2, 3, 4, 8, 6, 7, 1, 5, 10, 11},
     {0, 1, 0, 0, 0, 1, 0, 0, 1, 1, 0, 0}},
    // D
    {{0, 1, 2, 3, 5, 6, 7, 4},
     {0, 0, 0, 0, 0, 0, 0, 0},
     {0, 1, 2, 3, 5, 6, 7, 4, 8, 9, 10, 11},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    // L
    {{0, 2, 6, 3, 4, 1, 5, 7},
     {0, 1, 2, 0, 0, 2, 1, 0},
     {0, 1, 10, 3, 4, 5, 9, 7, 8, 2, 6, 11},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    // B
    {{0, 1, 3, 7, 4, 5, 2, 6},
     {0, 0, 1, 2, 0, 0, 2, 1},
     {0, 1, 2, 11, 4, 5, 6, 10, 8, 9, 3, 7},
     {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 1}},
}};

CubieCube newSolvedCubie()
{
    CubieCube cube{};
    for (int32_t i = 0; i < kCornerCount; ++i)
        cube.cornerPerm[static_cast<std::size_t>(i)] = i;
    for (int32_t i = 0; i < kEdgeCount; ++i)
        cube.edgePerm[static_cast<std::size_t>(i)] = i;
    return cube;
}

Facelets faceletColours(std::string_view text)
{
    Facelets colours{};
    for (std::size_t i = 0; i < colours.size() && i < text.size(); ++i)
    {
        int32_t colour = 0;
        for (std::size_t f = 0; f < faceLetters.size(); ++f)
            if (text[i] == faceLetters[f])
                colour = static_cast<int32_t>(f);
        colours[i] = colour;
    }
    return colours;
}

CubieCube cubieFromFacelets(const Facelets& facelets)
{
    CubieCube cube{};
    const auto at = [&facelets](int32_t position) { return facelets[static_cast<std::size_t>(position)]; };

    for (std::size_t i = 0; i < cornerFacelets.size(); ++i)
    {
        const auto& places = cornerFacelets[i];
        // The U/D sticker tells the twist; 3 when the position shows neither.
        int32_t o = 0;
        while (o < 3 && at(places[static_cast<std::size_t>(o)]) != 0 && at(places[static_cast<std::size_t>(o)]) != 3)
            ++o;
        const int32_t c1 = at(places[static_cast<std::size_t>((o + 1) % 3)]);
        const int32_t c2 = at(places[static_cast<std::size_t>((o + 2) % 3)]);
        for (std::size_t j = 0; j < cornerColours.size(); ++j)
        {
            if (cornerColours[j][1] == c1 && cornerColours[j][2] == c2)
            {
                cube.cornerPerm[i] = static_cast<int32_t>(j);
                cube.cornerOri[i] = static_cast<int8_t>(o % 3);
                break;
            }
        }
    }

    for (std::size_t i = 0; i < edgeFacelets.size(); ++i)
    {
        const int32_t first = at(edgeFacelets[i][0]);
        const int32_t second = at(edgeFacelets[i][1]);
        for (std::size_t j = 0; j < edgeColours.size(); ++j)
        {
            const bool straight = first == edgeColours[j][0] && second == edgeColours[j][1];
            const bool flipped = first == edgeColours[j][1] && second == edgeColours[j][0];
            if (straight || flipped)
            {
                cube.edgePerm[i] = static_cast<int32_t>(j);
                cube.edgeOri[i] = straight ? 0 : 1;
                break;
            }
        }
    }
    return cube;
}

Facelets faceletsFromCubie(const CubieCube& cube)
{
    Facelets facelets{};
    for (std::size_t p = 0; p < facelets.size(); ++p)
        facelets[p] = static_cast<int32_t>(p / 9); // centres keep their face's colour

    for (std::size_t i = 0; i < cornerFacelets.size(); ++i)
    {
        const auto& colours = cornerColours[static_cast<std::size_t>(cube.cornerPerm[i])];
        const int32_t o = cube.cornerOri[i];
        for (int32_t n = 0; n < 3; ++n)
        {
            const auto place = static_cast<std::size_t>(cornerFacelets[i][static_cast<std::size_t>((n + o) % 3)]);
            facelets[place] = colours[static_cast<std::size_t>(n)];
        }
    }
    for (std::size_t i = 0; i < edgeFacelets.size(); ++i)
    {
        const auto& colours = edgeColours[static_cast<std::size_t>(cube.edgePerm[i])];
        const int32_t o = cube.edgeOri[i];
        for (int32_t n = 0; n < 2; ++n)
        {
            const auto place = static_cast<std::size_t>(edgeFacelets[i][static_cast<std::size_t>((n + o) % 2)]);
            facelets[place] = colours[static_cast<std::size_t>(n)];
        }
    }
    return facelets;
}

void multiplyCorners(CubieCube& a, const CubieCube& b)
{
    std::array<int32_t, kCornerCount> perm{};
    std::array<int8_t, kCornerCount> ori{};
    for (std::size_t i = 0; i < perm.size(); ++i)
    {
        const auto from = static_cast<std::size_t>(b.cornerPerm[i]);
        perm[i] = a.cornerPerm[from];
        const int32_t oA = a.cornerOri[from];
        const int32_t oB = b.cornerOri[i];
        int32_t o = 0;
        // Orientations 3..5 stand for mirror images; the four cases keep the group law.
        if (oA < 3 && oB < 3)
            o = oA + oB >= 3 ? oA + oB - 3 : oA + oB;
        else if (oA < 3)
            o = oA + oB >= 6 ? oA + oB - 3 : oA + oB;
        else if (oB < 3)
            o = oA - oB < 3 ? oA - oB + 3 : oA - oB;
        else
            o = oA - oB < 0 ? oA - oB + 3 : oA - oB;
        ori[i] = static_cast<int8_t>(o);
    }
    a.cornerPerm = perm;
    a.cornerOri = ori;
}

void multiplyEdges(CubieCube& a, const CubieCube& b)
{
    std::array<int32_t, kEdgeCount> perm{};
    std::array<int8_t, kEdgeCount> ori{};
    for (std::size_t i = 0; i < perm.size(); ++i)
    {
        const auto from = static_cast<std::size_t>(b.edgePerm[i]);
        perm[i] = a.edgePerm[from];
        ori[i] = static_cast<int8_t>((a.edgeOri[from] + b.edgeOri[i]) % 2);
    }
    a.edgePerm = perm;
    a.edgeOri = ori;
}

void invertCubie(const CubieCube& c, CubieCube& d)
{
    for (std::size_t i = 0; i < c.edgePerm.size(); ++i)
        d.edgePerm[static_cast<std::size_t>(c.edgePerm[i])] = static_cast<int32_t>(i);
    for (std::size_t i = 0; i < c.edgePerm.size(); ++i)
        d.edgeOri[i] = c.edgeOri[static_cast<std::size_t>(d.edgePerm[i])];
    for (std::size_t i = 0; i < c.cornerPerm.size(); ++i)
        d.cornerPerm[static_cast<std::size_t>(c.cornerPerm[i])] = static_cast<int32_t>(i);
    for (std::size_t i = 0; i < c.cornerPerm.size(); ++i)
    {
        const int32_t o = c.cornerOri[static_cast<std::size_t>(d.cornerPerm[i])];
        d.cornerOri[i] = static_cast<int8_t>(o >= 3 ? o : (3 - o) % 3);
    }
}

namespace
{
template <std::size_t N> bool isPermutation(const std::array<int32_t, N>& perm)
{
    std::array<int32_t, N> seen{};
    for (const int32_t piece : perm)
    {
        if (piece < 0 || piece >= static_cast<int32_t>(N))
            return false;
        ++seen[static_cast<std::size_t>(piece)];
    }
    for (const int32_t count : seen)
        if (count != 1)
            return false;
    return true;
}

template <std::size_t N> int32_t sum(const std::array<int8_t, N>& values)
{
    int32_t total = 0;
    for (const int8_t v : values)
        total += v;
    return total;
}
} // namespace

CubieCheck verifyCubie(const CubieCube& cube)
{
    if (!isPermutation(cube.edgePerm))
        return CubieCheck::EdgePieces;
    if (sum(cube.edgeOri) % 2 != 0)
        return CubieCheck::EdgeFlip;
    if (!isPermutation(cube.cornerPerm))
        return CubieCheck::CornerPieces;
    if (sum(cube.cornerOri) % 3 != 0)
        return CubieCheck::CornerTwist;
    if (permutationParity(cube.edgePerm) != permutationParity(cube.cornerPerm))
        return CubieCheck::Parity;
    return CubieCheck::Valid;
}

} // namespace Morvantis::Cube
