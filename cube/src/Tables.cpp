#include "Tables.h"

#include <atomic>
#include <cstring>
#include <mutex>

namespace Morvantis::Cube
{
namespace
{
constexpr int32_t kUnreached = 15;

bool isPhase2Move(int32_t move)
{
    for (const int32_t m : phase2Moves)
        if (m == move)
            return true;
    return false;
}

// Sets each row's coordinate on one cube, turns every face a quarter at a time and reads the
// coordinate after each turn; the fourth turn restores the cube for the next face.
template <int32_t Rows, typename Set, typename Get>
void fillMoveTable(MoveTable<Rows>& table, void (*multiply)(CubieCube&, const CubieCube&), Set set, Get get,
                   bool phase2ColumnsOnly = false)
{
    CubieCube cube = newSolvedCubie();
    for (int32_t row = 0; row < Rows; ++row)
    {
        set(cube, row);
        for (int32_t face = 0; face < kFaceCount; ++face)
        {
            const CubieCube& turn = moveCubies[static_cast<std::size_t>(face)];
            for (int32_t power = 0; power < 3; ++power)
            {
                multiply(cube, turn);
                const int32_t move = 3 * face + power;
                // Outside the phase-2 moves edgeSix can leave the 16-bit range; the search never reads those.
                const int32_t value = (!phase2ColumnsOnly || isPhase2Move(move)) ? get(cube) : -1;
                table[static_cast<std::size_t>(row * kMoveCount + move)] = static_cast<int16_t>(value);
            }
            multiply(cube, turn);
        }
    }
}

void fillMergeTable(Tables& t)
{
    constexpr int32_t kEmpty = 11; // the triple setters leave this piece on the other positions
    for (int32_t a = 0; a < kEdgeTripleInSubgroup; ++a)
    {
        CubieCube first = newSolvedCubie();
        setEdgeTripleACoord(first, static_cast<int16_t>(a));
        for (int32_t b = 0; b < kEdgeTripleInSubgroup; ++b)
        {
            CubieCube merged = newSolvedCubie();
            setEdgeTripleBCoord(merged, static_cast<int16_t>(b));
            bool clash = false;
            for (std::size_t p = 0; p < 8 && !clash; ++p)
            {
                if (first.edgePerm[p] == kEmpty)
                    continue;
                if (merged.edgePerm[p] != kEmpty)
                    clash = true;
                else
                    merged.edgePerm[p] = first.edgePerm[p];
            }
            t.edgeSixMergeTable[static_cast<std::size_t>(a * kEdgeTripleInSubgroup + b)] =
                static_cast<int16_t>(clash ? -1 : getEdgeSixCoord(merged));
        }
    }
}

// True when none of the sixteen 4-bit entries in word equals value.
bool noNibbleEquals(uint64_t word, int32_t value)
{
    constexpr uint64_t kOnes = 0x1111111111111111ULL;
    const uint64_t x = word ^ (kOnes * static_cast<uint64_t>(value)); // matching nibbles become 0
    return ((x - kOnes) & ~x & (kOnes << 3)) == 0;
}

// Breadth-first from the goal (entry 0). The tables are indexed row * Cols + col, and a move takes
// the row and the column on independently: rowMoves[row][m] * Cols + colMoves[col][m]. Each scan
// expands the entries that hold the current depth; those it reaches get depth + 1 and so wait for
// the next scan. A row's entries are expanded together after it was scanned, move by move, so the
// entries one move reaches lie in one row of the table and stay in cache.
template <int32_t Cols, std::size_t Bytes, std::size_t MoveCount>
void fillPruneTable(std::array<uint8_t, Bytes>& table, int32_t rows, const int16_t* rowMoves,
                    const std::array<int16_t, static_cast<std::size_t>(Cols) * kMoveCount>& colMoves,
                    const std::array<int32_t, MoveCount>& moves)
{
    const int32_t entries = rows * Cols;
    table.fill(0xff);
    table[0] = 0xf0;
    int32_t reached = 1;
    std::array<int32_t, static_cast<std::size_t>(Cols)> found{};
    for (int32_t depth = 0; reached < entries && depth < kUnreached; ++depth)
    {
        int32_t row = 0;
        std::size_t count = 0;
        const auto expandRow = [&]
        {
            for (const int32_t m : moves)
            {
                const int32_t base = rowMoves[row * kMoveCount + m] * Cols;
                for (std::size_t k = 0; k < count; ++k)
                {
                    const auto j =
                        static_cast<uint32_t>(base + colMoves[static_cast<std::size_t>(found[k] * kMoveCount + m)]);
                    uint8_t& byte = table[j / 2];
                    const uint32_t shift = (j % 2) * 4;
                    // Without a branch: an unreached half (15) is cut down to depth + 1, others stay.
                    const int32_t isNew = ((byte >> shift) & 0x0f) == kUnreached ? 1 : 0;
                    byte = static_cast<uint8_t>(byte & ~((isNew * (kUnreached - depth - 1)) << shift));
                    reached += isNew;
                }
            }
        };
        for (int32_t i = 0; i < entries; ++i)
        {
            // Skip sixteen entries at a time while none of them is at this depth.
            const auto byteAt = static_cast<std::size_t>(i / 2);
            if (i % 16 == 0 && byteAt + sizeof(uint64_t) <= Bytes)
            {
                uint64_t word = 0;
                std::memcpy(&word, table.data() + byteAt, sizeof word);
                if (noNibbleEquals(word, depth))
                {
                    i += 15;
                    continue;
                }
            }
            if (pruneValue(table, i) != depth)
                continue;
            if (i / Cols != row)
            {
                expandRow();
                row = i / Cols;
                count = 0;
            }
            found[count++] = i % Cols;
        }
        expandRow();
    }
}

std::array<int32_t, kMoveCount> allMoves()
{
    std::array<int32_t, kMoveCount> moves{};
    for (int32_t m = 0; m < kMoveCount; ++m)
        moves[static_cast<std::size_t>(m)] = m;
    return moves;
}

Tables processTables; // zero until the one build fills it
std::once_flag buildOnce;
std::atomic<bool> builtFlag{false};
} // namespace

void fillTables(Tables& t)
{
    fillMoveTable<kTwistCount>(
        t.twistMoveTable, multiplyCorners, [](CubieCube& c, int32_t v) { setTwistCoord(c, static_cast<int16_t>(v)); },
        getTwistCoord);
    fillMoveTable<kFlipCount>(
        t.flipMoveTable, multiplyEdges, [](CubieCube& c, int32_t v) { setFlipCoord(c, static_cast<int16_t>(v)); },
        getFlipCoord);
    fillMoveTable<kSliceEdgeCount>(
        t.sliceEdgeMoveTable, multiplyEdges,
        [](CubieCube& c, int32_t v) { setSliceEdgeCoord(c, static_cast<int16_t>(v)); }, getSliceEdgeCoord);
    fillMoveTable<kCornerSixCount>(
        t.cornerSixMoveTable, multiplyCorners,
        [](CubieCube& c, int32_t v) { setCornerSixCoord(c, static_cast<int16_t>(v)); }, getCornerSixCoord);
    fillMoveTable<kEdgeSixInSubgroup>(t.edgeSixMoveTable, multiplyEdges, setEdgeSixCoord, getEdgeSixCoord, true);
    fillMoveTable<kEdgeTripleCount>(
        t.edgeTripleAMoveTable, multiplyEdges,
        [](CubieCube& c, int32_t v) { setEdgeTripleACoord(c, static_cast<int16_t>(v)); }, getEdgeTripleACoord);
    fillMoveTable<kEdgeTripleCount>(
        t.edgeTripleBMoveTable, multiplyEdges,
        [](CubieCube& c, int32_t v) { setEdgeTripleBCoord(c, static_cast<int16_t>(v)); }, getEdgeTripleBCoord);

    // Row q * 24 stands for all orders of the slice edges: the order does not change where a move
    // sends them.
    for (int32_t q = 0; q < kSlicePlaces; ++q)
        for (int32_t m = 0; m < kMoveCount; ++m)
            t.sliceCoarseMoveTable[static_cast<std::size_t>(q * kMoveCount + m)] =
                static_cast<int16_t>(moved<kSliceEdgeCount>(t.sliceEdgeMoveTable, q * kSliceOrders, m) / kSliceOrders);

    fillMergeTable(t);

    // Phase 2: row = cornerSix or edgeSix, column = sliceEdge * 2 + parity.
    constexpr int32_t kPhase2Cols = kSliceOrders * 2;
    std::array<int16_t, static_cast<std::size_t>(kPhase2Cols) * kMoveCount> sliceParityMoves{};
    for (int32_t col = 0; col < kPhase2Cols; ++col)
        for (int32_t m = 0; m < kMoveCount; ++m)
            sliceParityMoves[static_cast<std::size_t>(col * kMoveCount + m)] =
                static_cast<int16_t>(moved<kSliceEdgeCount>(t.sliceEdgeMoveTable, col / 2, m) * 2 +
                                     parityMoveTable[static_cast<std::size_t>(col % 2 * kMoveCount + m)]);
    fillPruneTable<kPhase2Cols>(t.cornerSixSliceParityPrune, kCornerSixCount, t.cornerSixMoveTable.data(),
                                sliceParityMoves, phase2Moves);
    fillPruneTable<kPhase2Cols>(t.edgeSixSliceParityPrune, kEdgeSixInSubgroup, t.edgeSixMoveTable.data(),
                                sliceParityMoves, phase2Moves);

    // Phase 1: row = twist or flip, column = sliceEdge / 24.
    const auto every = allMoves();
    fillPruneTable<kSlicePlaces>(t.twistSlicePrune, kTwistCount, t.twistMoveTable.data(), t.sliceCoarseMoveTable,
                                 every);
    fillPruneTable<kSlicePlaces>(t.flipSlicePrune, kFlipCount, t.flipMoveTable.data(), t.sliceCoarseMoveTable, every);
}

const Tables& buildMoveTables()
{
    std::call_once(buildOnce,
                   []
                   {
                       fillTables(processTables);
                       builtFlag.store(true, std::memory_order_release);
                   });
    return processTables;
}

bool tablesBuilt()
{
    return builtFlag.load(std::memory_order_acquire);
}

} // namespace Morvantis::Cube
