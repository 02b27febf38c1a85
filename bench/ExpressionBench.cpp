// Speed of the engine on typical selections and on the largest flat inputs a user may paste, and
// the time and memory of a statement that runs a call 96 million times.
#include "../tests/support/HeapCounter.h"

#include <Morvantis/Expression.h>

#include <benchmark/benchmark.h>

#include <string>

using namespace Morvantis::ExpressionUtils;

namespace
{

void evaluateOnce(benchmark::State& state, const std::string& text)
{
    Evaluator evaluator;
    double result = 0.0;
    std::string error;
    for (auto _ : state)
    {
        const bool ok = evaluateText(evaluator, text, &result, &error, nullptr);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_TypicalSelection(benchmark::State& state)
{
    evaluateOnce(state, "x = 2^10; sqrt(x) * 3 + round(1234.5678, 2) - max(1, x, 3) / 7");
}
BENCHMARK(BM_TypicalSelection);

void BM_FunctionCalls(benchmark::State& state)
{
    evaluateOnce(state, "if(abs(sin(pi() / 4) - cos(pi() / 4)) < 1e-9, exec(a = 1, b = a + 2), 0)");
}
BENCHMARK(BM_FunctionCalls);

std::string flatSum(int64_t terms, const char* separator)
{
    std::string text = "1";
    for (int64_t i = 1; i < terms; ++i)
        text += std::string(separator) + "1";
    return text;
}

// A pasted column of numbers: parse, evaluate and release must stay linear in its length.
void BM_PastedColumn(benchmark::State& state)
{
    evaluateOnce(state, flatSum(state.range(0), "\n+ "));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PastedColumn)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);

// Many short statements: each is taken off the front of the text without copying the rest.
void BM_ManyStatements(benchmark::State& state)
{
    evaluateOnce(state, flatSum(state.range(0), "; "));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ManyStatements)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);

// Four nested loops of 99 around one call: the statement must hold what one call holds, however
// many calls it runs.
void BM_FourNestedLoops(benchmark::State& state)
{
    const std::string text = "for(i = 0, i < 99, i = i + 1, for(j = 0, j < 99, j = j + 1, "
                             "for(k = 0, k < 99, k = k + 1, for(l = 0, l < 99, l = l + 1, max(i, j, k)))))";
    Evaluator evaluator;
    double result = 0.0;
    std::string error;
    Morvantis::Testing::restartPeak();
    const std::size_t before = Morvantis::Testing::heapBytes();
    for (auto _ : state)
    {
        if (!evaluateText(evaluator, text, &result, &error, nullptr) || result != 98.0)
            state.SkipWithError(("unexpected outcome: " + error).c_str());
    }
    state.counters["calls"] = 99.0 * 99 * 99 * 99;
    state.counters["peak_heap_bytes"] = static_cast<double>(Morvantis::Testing::peakHeapBytes() - before);
}
BENCHMARK(BM_FourNestedLoops)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
