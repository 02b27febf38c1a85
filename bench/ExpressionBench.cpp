// Speed of the engine on typical selections and on the largest flat inputs a user may paste.
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

} // namespace
