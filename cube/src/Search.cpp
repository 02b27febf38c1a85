#include "Search.h"
#include "Tables.h"

#include <algorithm>
#include <chrono>

namespace Morvantis::Cube
{
namespace
{
constexpr int32_t kMaxSolutionLength = 24;
constexpr int32_t kMaxPhase2Length = 10;
constexpr int32_t kSearchTimeLimitSeconds = 1000;

// Index k of each array is the state after the first k moves of the current sequence.
struct SearchState
{
    using Levels = std::array<int32_t, 31>;
    Levels face;  // 0 U .. 5 B
    Levels power; // 1 clockwise, 2 half, 3 anticlockwise
    Levels flip;
    Levels twist;
    Levels sliceCoarse; // sliceEdge / 24
    Levels parity;
    Levels cornerSix;
    Levels sliceEdge;
    Levels edgeTripleA;
    Levels edgeTripleB;
    Levels edgeSix; // from the end of phase 1 on
    Levels phase1Distance;
    Levels phase2Distance;
};
static_assert(std::tuple_size_v<SearchState::Levels> > kMaxSolutionLength, "one entry per level, the cube included");

constexpr int32_t kU = 0;
constexpr int32_t kR = 1;
constexpr int32_t kD = 3;
constexpr int32_t kLastFace = kFaceCount - 1;

int32_t moveIndex(const SearchState& state, int32_t level)
{
    const auto k = static_cast<std::size_t>(level);
    return 3 * state.face[k] + state.power[k] - 1;
}

// A face may not follow itself, nor its opposite face (D after U, L after R, B after F are fine).
bool blockedAfter(int32_t previousFace, int32_t face)
{
    return previousFace == face || previousFace - 3 == face;
}

bool isUpOrDown(int32_t face)
{
    return face == kU || face == kD;
}

int32_t phase2Distance(const Tables& t, int32_t edgeSix, int32_t cornerSix, int32_t sliceEdge, int32_t parity)
{
    return std::max(pruneValue(t.edgeSixSliceParityPrune, (edgeSix * kSliceOrders + sliceEdge) * 2 + parity),
                    pruneValue(t.cornerSixSliceParityPrune, (cornerSix * kSliceOrders + sliceEdge) * 2 + parity));
}

// The time limit is looked at when a phase-1 level runs out of faces; that happens millions of
// times per solve, so the clock itself is read only at every 1024th of them.
class Phase1Clock
{
  public:
    Phase1Clock() : start_(std::chrono::steady_clock::now()) {}
    bool expired()
    {
        if (++calls_ % 1024 != 0)
            return false;
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        return std::chrono::duration_cast<std::chrono::seconds>(elapsed).count() > kSearchTimeLimitSeconds;
    }

  private:
    std::chrono::steady_clock::time_point start_;
    uint32_t calls_ = 0;
};

bool hasNineOfEach(std::string_view facelets)
{
    std::array<int32_t, kFaceCount> counts{};
    for (const char c : facelets.substr(0, kFaceletCount))
        for (std::size_t f = 0; f < faceLetters.size(); ++f)
            if (c == faceLetters[f])
                ++counts[f];
    return std::all_of(counts.begin(), counts.end(), [](int32_t n) { return n == 9; });
}

// "U R2 F' " style text of the first n moves.
std::string movesToText(const SearchState& state, int32_t n)
{
    std::string text;
    if (n <= 0)
        return text;
    text.reserve(static_cast<std::size_t>(3 * n));
    for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k)
    {
        text += faceLetters[static_cast<std::size_t>(state.face[k])];
        if (state.power[k] == 2)
            text += '2';
        else if (state.power[k] == 3)
            text += '\'';
        text += ' ';
    }
    return text;
}

// Completes the phase-1 sequence of length d1: its total length d1 + d2, or -1 when no phase-2
// continuation fits the bounds.
int32_t searchPhase2(SearchState& state, int32_t d1, const Tables& t)
{
    auto& face = state.face;
    auto& power = state.power;
    auto& distance = state.phase2Distance;
    const auto at = [](int32_t level) { return static_cast<std::size_t>(level); };
    const int32_t bound = std::min(kMaxSolutionLength - d1, kMaxPhase2Length);

    // The phase-2 coordinates are only brought along once phase 1 has reached the subgroup.
    for (int32_t k = 0; k < d1; ++k)
    {
        const int32_t m = moveIndex(state, k);
        state.cornerSix[at(k + 1)] = moved<kCornerSixCount>(t.cornerSixMoveTable, state.cornerSix[at(k)], m);
        state.sliceEdge[at(k + 1)] = moved<kSliceEdgeCount>(t.sliceEdgeMoveTable, state.sliceEdge[at(k)], m);
        state.parity[at(k + 1)] = parityMoveTable[at(state.parity[at(k)] * kMoveCount + m)];
    }
    const int32_t slice = state.sliceEdge[at(d1)];
    const int32_t cornerBound = pruneValue(t.cornerSixSliceParityPrune,
                                           (state.cornerSix[at(d1)] * kSliceOrders + slice) * 2 + state.parity[at(d1)]);
    if (cornerBound > bound)
        return -1;

    for (int32_t k = 0; k < d1; ++k)
    {
        const int32_t m = moveIndex(state, k);
        state.edgeTripleA[at(k + 1)] = moved<kEdgeTripleCount>(t.edgeTripleAMoveTable, state.edgeTripleA[at(k)], m);
        state.edgeTripleB[at(k + 1)] = moved<kEdgeTripleCount>(t.edgeTripleBMoveTable, state.edgeTripleB[at(k)], m);
    }
    state.edgeSix[at(d1)] =
        t.edgeSixMergeTable[at(state.edgeTripleA[at(d1)] * kEdgeTripleInSubgroup + state.edgeTripleB[at(d1)])];
    const int32_t edgeBound = pruneValue(t.edgeSixSliceParityPrune,
                                         (state.edgeSix[at(d1)] * kSliceOrders + slice) * 2 + state.parity[at(d1)]);
    if (edgeBound > bound)
        return -1;
    distance[at(d1)] = std::max(cornerBound, edgeBound);
    if (distance[at(d1)] == 0)
        return d1;

    int32_t d2 = 1;
    int32_t n = d1;
    bool busy = false;
    face[at(d1)] = kU;
    power[at(d1)] = 0;
    distance[at(d1 + 1)] = 1;
    for (;;)
    {
        // Choose the next move at level n (iterative deepening over d2).
        for (;;)
        {
            if (d1 + d2 - n > distance[at(n + 1)] && !busy)
            {
                const bool afterUpOrDown = isUpOrDown(face[at(n)]);
                ++n;
                face[at(n)] = afterUpOrDown ? kR : kU;
                power[at(n)] = afterUpOrDown ? 2 : 1;
                break;
            }
            // R, F, L and B turn only by half turns here.
            power[at(n)] += isUpOrDown(face[at(n)]) ? 1 : 2;
            if (power[at(n)] <= 3)
            {
                busy = false;
                break;
            }
            bool found = false;
            while (++face[at(n)] <= kLastFace)
            {
                busy = false;
                power[at(n)] = isUpOrDown(face[at(n)]) ? 1 : 2;
                // The first phase-2 move is checked against phase 1 by the caller.
                if (n == d1 || !blockedAfter(face[at(n - 1)], face[at(n)]))
                {
                    found = true;
                    break;
                }
            }
            if (found)
                break;
            if (n == d1)
            {
                if (d2 >= bound)
                    return -1;
                ++d2;
                face[at(n)] = kU;
                power[at(n)] = 1;
                busy = false;
                break;
            }
            --n;
            busy = true;
        }

        const int32_t m = moveIndex(state, n);
        const auto next = at(n + 1);
        state.cornerSix[next] = moved<kCornerSixCount>(t.cornerSixMoveTable, state.cornerSix[at(n)], m);
        state.sliceEdge[next] = moved<kSliceEdgeCount>(t.sliceEdgeMoveTable, state.sliceEdge[at(n)], m);
        state.parity[next] = parityMoveTable[at(state.parity[at(n)] * kMoveCount + m)];
        state.edgeSix[next] = moved<kEdgeSixInSubgroup>(t.edgeSixMoveTable, state.edgeSix[at(n)], m);
        if (n + 1 == d1 + d2)
        {
            // As in phase 1: on the last level only "solved or not" matters.
            const bool solved = state.edgeSix[next] == 0 && state.cornerSix[next] == 0 && state.sliceEdge[next] == 0 &&
                                state.parity[next] == 0;
            distance[next] = solved ? 0 : 1;
        }
        else
        {
            distance[next] = phase2Distance(t, state.edgeSix[next], state.cornerSix[next], state.sliceEdge[next],
                                            state.parity[next]);
        }
        if (distance[next] == 0)
            return d1 + d2;
    }
}
} // namespace

std::optional<std::string> solveCube(std::string_view facelets)
{
    const Tables& t = buildMoveTables();
    if (facelets.size() < static_cast<std::size_t>(kFaceletCount) || !hasNineOfEach(facelets))
        return std::nullopt;
    const CubieCube cube = cubieFromFacelets(faceletColours(facelets));
    if (verifyCubie(cube) != CubieCheck::Valid)
        return std::nullopt;
    const CoordCube coords = coordCubeFromCubie(cube);

    SearchState state{};
    auto& face = state.face;
    auto& power = state.power;
    auto& distance = state.phase1Distance;
    const auto at = [](int32_t level) { return static_cast<std::size_t>(level); };
    face[0] = kU;
    power[0] = 0;
    state.flip[0] = coords.flip;
    state.twist[0] = coords.twist;
    state.parity[0] = coords.parity;
    state.sliceCoarse[0] = coords.sliceEdge / kSliceOrders;
    state.cornerSix[0] = coords.cornerSix;
    state.sliceEdge[0] = coords.sliceEdge;
    state.edgeTripleA[0] = coords.edgeTripleA;
    state.edgeTripleB[0] = coords.edgeTripleB;
    distance[1] = 1;

    int32_t d1 = 1;
    int32_t n = 0;
    bool busy = false;
    Phase1Clock clock;
    for (;;)
    {
        // Choose the next phase-1 move at level n (iterative deepening over d1).
        for (;;)
        {
            if (d1 - n > distance[at(n + 1)] && !busy)
            {
                const bool afterUpOrDown = isUpOrDown(face[at(n)]);
                ++n;
                face[at(n)] = afterUpOrDown ? kR : kU;
                power[at(n)] = 1;
                break;
            }
            if (++power[at(n)] <= 3)
            {
                busy = false;
                break;
            }
            bool found = false;
            while (++face[at(n)] <= kLastFace)
            {
                busy = false;
                power[at(n)] = 1;
                if (n == 0 || !blockedAfter(face[at(n - 1)], face[at(n)]))
                {
                    found = true;
                    break;
                }
            }
            if (found)
                break;
            if (clock.expired())
                return std::nullopt;
            if (n == 0)
            {
                if (d1 == kMaxSolutionLength)
                    return std::nullopt;
                ++d1;
                face[0] = kU;
                power[0] = 1;
                busy = false;
                break;
            }
            --n;
            busy = true;
        }

        const int32_t m = moveIndex(state, n);
        const auto next = at(n + 1);
        state.flip[next] = moved<kFlipCount>(t.flipMoveTable, state.flip[at(n)], m);
        state.twist[next] = moved<kTwistCount>(t.twistMoveTable, state.twist[at(n)], m);
        state.sliceCoarse[next] = moved<kSlicePlaces>(t.sliceCoarseMoveTable, state.sliceCoarse[at(n)], m);
        const int32_t slice = state.sliceCoarse[next];
        if (n + 1 == d1)
        {
            // After the last move of this length only "in the subgroup or not" decides anything, and
            // a pruning value is 0 exactly at the goal: skip the two table reads that miss the cache.
            const bool inSubgroup = state.flip[next] == 0 && state.twist[next] == 0 && slice == 0;
            distance[next] = inSubgroup ? 0 : 1;
        }
        else
        {
            distance[next] = std::max(pruneValue(t.flipSlicePrune, state.flip[next] * kSlicePlaces + slice),
                                      pruneValue(t.twistSlicePrune, state.twist[next] * kSlicePlaces + slice));
        }

        if (distance[next] != 0 || n < d1 - 5)
            continue;
        // In the subgroup: never search deeper below this level.
        distance[next] = 10;
        if (n != d1 - 1)
            continue;
        const int32_t total = searchPhase2(state, d1, t);
        if (total < 0)
            continue;
        const int32_t last = face[at(d1 - 1)];
        const int32_t first = face[at(d1)];
        if (total == d1 || (last != first && last != first + 3))
            return movesToText(state, total);
    }
}

} // namespace Morvantis::Cube
