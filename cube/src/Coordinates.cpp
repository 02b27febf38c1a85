#include "Coordinates.h"

#include <utility>

namespace Morvantis::Cube
{
namespace
{
constexpr int32_t kEdgeSixCount = 665280; // 12! / 6!, all edgeSix values
constexpr int32_t kBinomSize = 13;

constexpr std::array<std::array<int32_t, kBinomSize>, kBinomSize> makeBinomials()
{
    std::array<std::array<int32_t, kBinomSize>, kBinomSize> table{};
    for (std::size_t n = 0; n < kBinomSize; ++n)
    {
        table[n][0] = 1;
        for (std::size_t k = 1; k <= n; ++k)
            table[n][k] = table[n - 1][k - 1] + (k < n ? table[n - 1][k] : 0);
    }
    return table;
}

constexpr auto binomials = makeBinomials();
static_assert(binomials[12][4] == kSlicePlaces, "binom(12, 4)");
static_assert(binomials[8][6] * 720 == kCornerSixCount, "binom(8, 6) * 6!");
static_assert(binomials[12][6] * 720 == kEdgeSixCount, "binom(12, 6) * 6!");
static_assert(binomials[8][6] * 720 == kEdgeSixInSubgroup, "binom(8, 6) * 6!");
static_assert(binomials[8][3] * 6 == kEdgeTripleInSubgroup, "binom(8, 3) * 3!");

// 0 when n < k, as the combination numbering needs.
int32_t binom(int32_t n, int32_t k)
{
    if (n < 0 || k < 0 || n < k || n >= kBinomSize)
        return 0;
    return binomials[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
}

// One coordinate over a set of tracked pieces: which positions they hold (the combination part)
// times the number of their orders, plus the order part.
struct Scheme
{
    int32_t firstPiece; // the lowest tracked piece
    int32_t pieceCount; // tracked pieces firstPiece .. firstPiece + pieceCount - 1
    int32_t orders;     // pieceCount!
    int32_t marker;     // stands for "no tracked piece here yet" while setting
    bool fromEnd;       // scan positions from the last one and fill the list from its end
    bool fillOthers;    // give the untracked positions the other pieces, ascending
};

constexpr Scheme sliceEdgeScheme{8, 4, 24, 7, true, true};
constexpr Scheme cornerSixScheme{0, 6, 720, 7, false, true};
constexpr Scheme edgeSixScheme{0, 6, 720, 11, false, true};
constexpr Scheme edgeTripleAScheme{0, 3, 6, 11, false, false};
constexpr Scheme edgeTripleBScheme{3, 3, 6, 11, false, false};

bool isTracked(const Scheme& s, int32_t piece)
{
    return piece >= s.firstPiece && piece < s.firstPiece + s.pieceCount;
}

// Entries 0..k move one place to the left; entry 0 goes to place k.
void rotateLeft(int32_t* list, int32_t k)
{
    // Adjacent swaps rather than a shifted copy, which compilers turn into a memmove call.
    for (int32_t i = 0; i < k; ++i)
        std::swap(list[i], list[i + 1]);
}

template <std::size_t N> int32_t readCoord(const std::array<int32_t, N>& perm, const Scheme& s)
{
    constexpr auto size = static_cast<int32_t>(N);
    std::array<int32_t, 6> list{};
    int32_t a = 0;
    int32_t x = 0;
    for (int32_t step = 0; step < size; ++step)
    {
        const int32_t j = s.fromEnd ? size - 1 - step : step;
        const int32_t piece = perm[static_cast<std::size_t>(j)];
        if (!isTracked(s, piece) || x >= s.pieceCount)
            continue;
        if (s.fromEnd)
        {
            a += binom(size - 1 - j, x + 1);
            list[static_cast<std::size_t>(s.pieceCount - 1 - x)] = piece;
        }
        else
        {
            a += binom(j, x + 1);
            list[static_cast<std::size_t>(x)] = piece;
        }
        ++x;
    }

    int32_t b = 0;
    for (int32_t k = s.pieceCount - 1; k > 0; --k)
    {
        int32_t count = 0;
        // At most k turns bring the right piece up; the bound only matters for broken cubes.
        while (list[static_cast<std::size_t>(k)] != s.firstPiece + k && count <= k)
        {
            rotateLeft(list.data(), k);
            ++count;
        }
        b = (k + 1) * b + count;
    }
    return s.orders * a + b;
}

template <std::size_t N> void writeCoord(std::array<int32_t, N>& perm, const Scheme& s, int32_t value)
{
    constexpr auto size = static_cast<int32_t>(N);
    perm.fill(s.marker);

    std::array<int32_t, 6> list{};
    for (int32_t k = 0; k < s.pieceCount; ++k)
        list[static_cast<std::size_t>(k)] = s.firstPiece + k;
    int32_t b = value % s.orders;
    int32_t a = value / s.orders;
    for (int32_t k = 1; k < s.pieceCount; ++k)
    {
        int32_t r = b % (k + 1);
        b /= k + 1;
        for (; r > 0; --r)
        {
            // Rotate entries 0..k one place to the right.
            const int32_t last = list[static_cast<std::size_t>(k)];
            for (int32_t i = k; i > 0; --i)
                list[static_cast<std::size_t>(i)] = list[static_cast<std::size_t>(i - 1)];
            list[0] = last;
        }
    }

    if (s.fromEnd)
    {
        int32_t x = s.pieceCount;
        for (int32_t j = 0; j < size && x > 0; ++j)
        {
            const int32_t term = binom(size - 1 - j, x);
            if (a - term >= 0)
            {
                perm[static_cast<std::size_t>(j)] = list[static_cast<std::size_t>(s.pieceCount - x)];
                a -= term;
                --x;
            }
        }
    }
    else
    {
        int32_t x = s.pieceCount - 1;
        for (int32_t j = size - 1; j >= 0 && x >= 0; --j)
        {
            const int32_t term = binom(j, x + 1);
            if (a - term >= 0)
            {
                perm[static_cast<std::size_t>(j)] = list[static_cast<std::size_t>(x)];
                a -= term;
                --x;
            }
        }
    }

    if (!s.fillOthers)
        return;
    int32_t next = 0;
    for (auto& piece : perm)
    {
        if (piece != s.marker)
            continue;
        while (isTracked(s, next))
            ++next;
        piece = next++;
    }
}
// The orientations of all pieces but the last, read as a number in the given base, first piece
// most significant; the last piece is implied, since the orientations sum to a multiple of base.
template <std::size_t N> int16_t readOrientations(const std::array<int8_t, N>& orientations, int32_t base)
{
    int32_t value = 0;
    for (std::size_t i = 0; i + 1 < N; ++i)
        value = base * value + orientations[i];
    return static_cast<int16_t>(value);
}

template <std::size_t N> void writeOrientations(std::array<int8_t, N>& orientations, int32_t base, int32_t value)
{
    int32_t total = 0;
    for (std::size_t i = N - 1; i-- > 0;)
    {
        orientations[i] = static_cast<int8_t>(value % base);
        total += value % base;
        value /= base;
    }
    orientations.back() = static_cast<int8_t>((base - total % base) % base);
}
} // namespace

int16_t getTwistCoord(const CubieCube& cube)
{
    return readOrientations(cube.cornerOri, 3);
}

void setTwistCoord(CubieCube& cube, int16_t twist)
{
    writeOrientations(cube.cornerOri, 3, twist);
}

int16_t getFlipCoord(const CubieCube& cube)
{
    return readOrientations(cube.edgeOri, 2);
}

void setFlipCoord(CubieCube& cube, int16_t flip)
{
    writeOrientations(cube.edgeOri, 2, flip);
}

int16_t getSliceEdgeCoord(const CubieCube& cube)
{
    return static_cast<int16_t>(readCoord(cube.edgePerm, sliceEdgeScheme));
}

void setSliceEdgeCoord(CubieCube& cube, int16_t value)
{
    writeCoord(cube.edgePerm, sliceEdgeScheme, value);
}

int16_t getCornerSixCoord(const CubieCube& cube)
{
    return static_cast<int16_t>(readCoord(cube.cornerPerm, cornerSixScheme));
}

void setCornerSixCoord(CubieCube& cube, int16_t value)
{
    writeCoord(cube.cornerPerm, cornerSixScheme, value);
}

int32_t getEdgeSixCoord(const CubieCube& cube)
{
    return readCoord(cube.edgePerm, edgeSixScheme);
}

void setEdgeSixCoord(CubieCube& cube, int32_t value)
{
    writeCoord(cube.edgePerm, edgeSixScheme, value);
}

int16_t getEdgeTripleACoord(const CubieCube& cube)
{
    return static_cast<int16_t>(readCoord(cube.edgePerm, edgeTripleAScheme));
}

void setEdgeTripleACoord(CubieCube& cube, int16_t value)
{
    writeCoord(cube.edgePerm, edgeTripleAScheme, value);
}

int16_t getEdgeTripleBCoord(const CubieCube& cube)
{
    return static_cast<int16_t>(readCoord(cube.edgePerm, edgeTripleBScheme));
}

void setEdgeTripleBCoord(CubieCube& cube, int16_t value)
{
    writeCoord(cube.edgePerm, edgeTripleBScheme, value);
}

CoordCube coordCubeFromCubie(const CubieCube& cube)
{
    CoordCube coords{};
    coords.twist = getTwistCoord(cube);
    coords.flip = getFlipCoord(cube);
    coords.parity = static_cast<int16_t>(permutationParity(cube.cornerPerm));
    coords.sliceEdge = getSliceEdgeCoord(cube);
    coords.cornerSix = getCornerSixCoord(cube);
    coords.edgeTripleA = getEdgeTripleACoord(cube);
    coords.edgeTripleB = getEdgeTripleBCoord(cube);
    coords.edgeSix = getEdgeSixCoord(cube);
    return coords;
}

} // namespace Morvantis::Cube
