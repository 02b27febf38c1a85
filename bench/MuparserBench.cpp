// Our engine side by side with muparser on the same statements, in one run: parse and evaluate
// per call (what exprCalc does), and evaluation of an already parsed statement. Ends with the
// table of our time over muparser's.
#include "Parser.h"

#include <Morvantis/Expression.h>

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

using namespace Morvantis::ExpressionUtils;

namespace
{

constexpr double kX = 1.75;

struct Statement
{
    std::string label;
    std::string ours;
    std::string theirs; // muparser separates several expressions with ","
};

std::string longSum()
{
    std::string text = "1";
    for (int i = 2; i <= 1000; ++i)
        text += " + " + std::to_string(i);
    return text;
}

const std::vector<Statement>& statements()
{
    static const std::vector<Statement> list = []
    {
        std::vector<Statement> s = {
            {"literal sum", "1 + 2.5 + 3 + 4.25 + 5 + 6 + 7.5 + 8", ""},
            {"polynomial", "3.5 * x^3 - 2 * x^2 + 7 * x - 11", ""},
            {"nested trig", "sin(cos(tan(x) * 0.5) + 1)", ""},
            {"compare and logic", "((x > 1) && (x < 10)) || ((x >= 5) && (x != 3))", ""},
            {"three assignments", "a = 1.5; b = a * 2 + x; c = a + b * 3", "a = 1.5, b = a * 2 + x, c = a + b * 3"},
            {"1000-term sum", longSum(), ""},
            {"short arithmetic", "(12.5 + 7) * 3 / 4", ""},
        };
        for (Statement& statement : s)
            if (statement.theirs.empty())
                statement.theirs = statement.ours;
        return s;
    }();
    return list;
}

// muparser with its variables bound to doubles of its own.
struct Muparser
{
    Muparser()
    {
        parser.DefineVar("x", &x);
        parser.DefineVar("a", &a);
        parser.DefineVar("b", &b);
        parser.DefineVar("c", &c);
    }
    mu::Parser parser;
    double x = kX, a = 0, b = 0, c = 0;
};

Evaluator& ourEvaluator()
{
    static Evaluator evaluator;
    evaluator.scope.setVariable("x", kX);
    return evaluator;
}

double oursPerCall(Evaluator& evaluator, const std::string& text)
{
    double result = 0.0;
    std::string error;
    evaluateText(evaluator, text, &result, &error, nullptr);
    return result;
}

void BM_OursPerCall(benchmark::State& state, const Statement& statement)
{
    Evaluator& evaluator = ourEvaluator();
    for (auto _ : state)
        benchmark::DoNotOptimize(oursPerCall(evaluator, statement.ours));
}

void BM_MuparserPerCall(benchmark::State& state, const Statement& statement)
{
    Muparser mu;
    for (auto _ : state)
    {
        mu.parser.SetExpr(statement.theirs);
        benchmark::DoNotOptimize(mu.parser.Eval());
    }
}

std::vector<TermRef> parseAll(const std::string& text)
{
    std::vector<TermRef> trees;
    std::string copy = text + ";";
    std::string_view remaining(copy);
    std::string statement, error;
    while (!remaining.empty())
        trees.push_back(parseExpression(remaining, statement, error, nullptr));
    return trees;
}

void BM_OursEvaluateOnly(benchmark::State& state, const Statement& statement)
{
    Evaluator& evaluator = ourEvaluator();
    const std::vector<TermRef> trees = parseAll(statement.ours);
    for (auto _ : state)
    {
        double value = 0.0;
        for (const TermRef& tree : trees)
            value = tree->evaluateNumber(evaluator.scope, 0);
        benchmark::DoNotOptimize(value);
    }
}

void BM_MuparserEvaluateOnly(benchmark::State& state, const Statement& statement)
{
    Muparser mu;
    mu.parser.SetExpr(statement.theirs);
    for (auto _ : state)
        benchmark::DoNotOptimize(mu.parser.Eval());
}

// Both engines must agree before their times mean anything.
bool sameResults()
{
    bool same = true;
    for (const Statement& statement : statements())
    {
        Muparser mu;
        mu.parser.SetExpr(statement.theirs);
        const double theirs = mu.parser.Eval();
        const double ours = oursPerCall(ourEvaluator(), statement.ours);
        if (!(std::fabs(ours - theirs) <= 1e-12 * std::fmax(1.0, std::fabs(theirs))))
        {
            std::fprintf(stderr, "%s: ours %.17g, muparser %.17g\n", statement.label.c_str(), ours, theirs);
            same = false;
        }
    }
    return same;
}

// Keeps every run's time per iteration so the ratios come from this very run.
class RatioReporter final : public benchmark::ConsoleReporter
{
  public:
    explicit RatioReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions, the median of each benchmark stands for it.
        for (const Run& run : runs)
        {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                nanoseconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    void printRatios() const
    {
        for (const char* form : {"PerCall", "EvaluateOnly"})
        {
            std::printf("\n%-20s %12s %12s %8s   (%s)\n", "statement", "ours ns", "muparser ns", "ratio", form);
            for (const Statement& statement : statements())
            {
                const auto ours = nanoseconds_.find(std::string("Ours") + form + "/" + statement.label);
                const auto theirs = nanoseconds_.find(std::string("Muparser") + form + "/" + statement.label);
                if (ours == nanoseconds_.end() || theirs == nanoseconds_.end())
                    continue;
                std::printf("%-20s %12.1f %12.1f %8.3f\n", statement.label.c_str(), ours->second, theirs->second,
                            ours->second / theirs->second);
            }
        }
    }

  private:
    std::map<std::string, double> nanoseconds_;
};

} // namespace

int main(int argc, char** argv)
{
    if (!sameResults())
        return 1;
    for (const Statement& s : statements())
    {
        benchmark::RegisterBenchmark(("OursPerCall/" + s.label).c_str(), BM_OursPerCall, s);
        benchmark::RegisterBenchmark(("MuparserPerCall/" + s.label).c_str(), BM_MuparserPerCall, s);
        benchmark::RegisterBenchmark(("OursEvaluateOnly/" + s.label).c_str(), BM_OursEvaluateOnly, s);
        benchmark::RegisterBenchmark(("MuparserEvaluateOnly/" + s.label).c_str(), BM_MuparserEvaluateOnly, s);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(isatty(fileno(stdout)) != 0 ? benchmark::ConsoleReporter::OO_ColorTabular
                                                       : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
