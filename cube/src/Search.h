// The two-phase search: phase 1 reaches the subgroup <U, D, R2, F2, L2, B2>, phase 2 solves within it.
#pragma once

#include "Tables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Morvantis::Cube
{

constexpr int32_t kMaxSolutionLength = 24;
constexpr int32_t kMaxPhase2Length = 10;
constexpr int32_t kSearchTimeLimitSeconds = 1000;

// Index k of each array is the state after the first k moves of the current sequence.
struct SearchState
{
    using Levels = std::array<int32_t, 31>;
    Levels face;        // 0 U .. 5 B
    Levels power;       // 1 clockwise, 2 half, 3 anticlockwise
    Levels flip;
    Levels twist;
    Levels sliceCoarse; // sliceEdge / 24
    Levels parity;
    Levels cornerSix;
    Levels sliceEdge;
    Levels edgeTripleA;
    Levels edgeTripleB;
    Levels edgeSix;     // from the end of phase 1 on
    Levels phase1Distance;
    Levels phase2Distance;
};
static_assert(std::tuple_size_v<SearchState::Levels> > kMaxSolutionLength, "one entry per level, the cube included");

// The first solution in the search order, as move text; nullopt for a text that is no valid cube,
// when no solution of at most 24 moves exists, or when the time limit passes. Reads 54 letters.
std::optional<std::string> solveCube(std::string_view facelets);

// Completes the phase-1 sequence of length d1: its total length d1 + d2, or -1 when no phase-2
// continuation fits the bounds.
int32_t searchPhase2(SearchState& state, int32_t d1, const Tables& tables);

// "U R2 F' " style text of the first n moves.
std::string movesToText(const SearchState& state, int32_t n);

} // namespace Morvantis::Cube
