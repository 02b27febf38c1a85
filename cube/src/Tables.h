// Move, merge and pruning tables of the two-phase search, built once per process.
#pragma once

#include "Coordinates.h"

#include <array>
#include <cstdint>

namespace Morvantis::Cube
{

constexpr int32_t kPhase2MoveCount = 10;
// U, U2, U', R2, F2, D, D2, D', L2, B2: they keep twist, flip and the slice edges' places.
constexpr std::array<int32_t, kPhase2MoveCount> phase2Moves{0, 1, 2, 4, 7, 9, 10, 11, 13, 16};

constexpr int32_t kPhase2PruneEntries = kCornerSixCount * kSliceOrders * 2;
constexpr int32_t kTwistSlicePruneEntries = kTwistCount * kSlicePlaces;
constexpr int32_t kFlipSlicePruneEntries = kFlipCount * kSlicePlaces;

constexpr std::size_t pruneBytes(int32_t entries)
{
    return static_cast<std::size_t>((entries + 1) / 2);
}

static_assert(pruneBytes(kPhase2PruneEntries) == 483840, "two 4-bit entries per byte");
static_assert(pruneBytes(kTwistSlicePruneEntries) == 541283, "an odd count rounds up");
static_assert(pruneBytes(kFlipSlicePruneEntries) == 506880, "two 4-bit entries per byte");

template <int32_t Rows> using MoveTable = std::array<int16_t, static_cast<std::size_t>(Rows) * kMoveCount>;

// Corner parity after a move (row = parity before): quarter turns change it.
constexpr std::array<int16_t, 2 * kMoveCount> parityMoveTable{
    1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, // from even parity
    0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, // from odd parity
};

// Move tables: entry r * 18 + m is the coordinate r after move m. Pruning tables hold 4-bit
// distances to the goal, two per byte (even index in the low half).
struct Tables
{
    MoveTable<kTwistCount> twistMoveTable;
    MoveTable<kFlipCount> flipMoveTable;
    MoveTable<kSliceEdgeCount> sliceEdgeMoveTable;
    MoveTable<kCornerSixCount> cornerSixMoveTable;
    MoveTable<kEdgeSixInSubgroup> edgeSixMoveTable; // only the phase-2 columns are meaningful
    MoveTable<kEdgeTripleCount> edgeTripleAMoveTable;
    MoveTable<kEdgeTripleCount> edgeTripleBMoveTable;
    // sliceEdgeMoveTable[q * 24][m] / 24: where a move sends the slice edges' places, small enough
    // to stay in cache for phase 1.
    MoveTable<kSlicePlaces> sliceCoarseMoveTable;
    // edgeSix of the edge triples a, b (both below 336) at a * 336 + b; -1 when they overlap.
    std::array<int16_t, static_cast<std::size_t>(kEdgeTripleInSubgroup) * kEdgeTripleInSubgroup> edgeSixMergeTable;
    std::array<uint8_t, pruneBytes(kPhase2PruneEntries)> cornerSixSliceParityPrune; // (cornerSix*24+slice)*2+parity
    std::array<uint8_t, pruneBytes(kPhase2PruneEntries)> edgeSixSliceParityPrune;   // (edgeSix*24+slice)*2+parity
    std::array<uint8_t, pruneBytes(kTwistSlicePruneEntries)> twistSlicePrune;       // twist*495 + slice/24
    std::array<uint8_t, pruneBytes(kFlipSlicePruneEntries)> flipSlicePrune;         // flip*495 + slice/24
};

// The entry of a move table for coordinate value and move.
template <int32_t Rows> inline int32_t moved(const MoveTable<Rows>& table, int32_t value, int32_t move)
{
    return table[static_cast<std::size_t>(value * kMoveCount + move)];
}

template <std::size_t Bytes> inline int32_t pruneValue(const std::array<uint8_t, Bytes>& table, int32_t index)
{
    // A shift rather than a branch: which half is wanted is a coin toss the predictor loses.
    const auto i = static_cast<uint32_t>(index);
    return (table[i / 2] >> ((i % 2) * 4)) & 0x0f;
}

// Computes every table into tables. Kept apart from the once-only build so it can be timed.
void fillTables(Tables& tables);

// The process-wide tables, built by the first call; thread-safe, later calls only return them.
const Tables& buildMoveTables();

// True once the process-wide tables are complete.
bool tablesBuilt();

} // namespace Morvantis::Cube
