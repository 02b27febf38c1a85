// Table build, solve-time distribution, solution length and table memory of the cube solver.
#include "Coordinates.h"
#include "CubieCube.h"
#include "Search.h"
#include "Tables.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace
{
using namespace Morvantis::Cube;

// Uniformly random cube states: any corner and edge permutation of equal parity, any twist and flip.
std::vector<std::string> randomCubes(std::size_t count, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::vector<std::string> cubes;
    while (cubes.size() < count)
    {
        CubieCube cube = newSolvedCubie();
        std::shuffle(cube.cornerPerm.begin(), cube.cornerPerm.end(), rng);
        std::shuffle(cube.edgePerm.begin(), cube.edgePerm.end(), rng);
        if (verifyCubie(cube) == CubieCheck::Parity)
            std::swap(cube.edgePerm[0], cube.edgePerm[1]);
        setTwistCoord(cube, static_cast<int16_t>(std::uniform_int_distribution<int>(0, kTwistCount - 1)(rng)));
        setFlipCoord(cube, static_cast<int16_t>(std::uniform_int_distribution<int>(0, kFlipCount - 1)(rng)));
        std::string text;
        for (const int32_t colour : faceletsFromCubie(cube))
            text += faceLetters[static_cast<std::size_t>(colour)];
        cubes.push_back(text);
    }
    return cubes;
}

void BM_TableBuild(benchmark::State& state)
{
    auto tables = std::make_unique<Tables>();
    for (auto _ : state)
    {
        fillTables(*tables);
        benchmark::DoNotOptimize(tables->flipSlicePrune[0]);
    }
    state.counters["table_bytes"] = static_cast<double>(sizeof(Tables));
}
BENCHMARK(BM_TableBuild)->Unit(benchmark::kMillisecond)->Iterations(5);

// One pass over 1,000 seeded random cubes; the counters carry the distribution of single solves.
void BM_SolveDistribution(benchmark::State& state)
{
    buildMoveTables();
    const std::vector<std::string> cubes = randomCubes(1000, 20211125);
    std::vector<double> millis;
    double moves = 0;
    for (auto _ : state)
    {
        millis.clear();
        moves = 0;
        for (const std::string& cube : cubes)
        {
            const auto start = std::chrono::steady_clock::now();
            const auto text = solveCube(cube);
            millis.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            if (!text)
            {
                state.SkipWithError("a random cube had no solution");
                return;
            }
            moves += static_cast<double>(std::count(text->begin(), text->end(), ' '));
        }
    }
    std::sort(millis.begin(), millis.end());
    state.counters["median_ms"] = millis[millis.size() / 2];
    state.counters["p99_ms"] = millis[millis.size() * 99 / 100];
    state.counters["max_ms"] = millis.back();
    state.counters["mean_ms"] = std::accumulate(millis.begin(), millis.end(), 0.0) / static_cast<double>(millis.size());
    state.counters["avg_moves"] = moves / static_cast<double>(cubes.size());
}
BENCHMARK(BM_SolveDistribution)->Unit(benchmark::kMillisecond)->Iterations(1);

// The 13-move example, for a steady per-solve figure.
void BM_SolveKnownCube(benchmark::State& state)
{
    buildMoveTables();
    for (auto _ : state)
        benchmark::DoNotOptimize(solveCube("FFFFUFFFFRRRURURRRDDDRFRDDDBBBBDBBBBLLLDLDLLLUUULBLUUU"));
}
BENCHMARK(BM_SolveKnownCube)->Unit(benchmark::kMicrosecond);

} // namespace
