// Eight threads at once through both calculator exports and one shared engine evaluator. The thread
// lane runs this under ThreadSanitizer for the races; the counters themselves catch lost writes.
#include "CalculatorExports.h"
#include "KnownCubes.h"
#include "Tables.h"

#include <Morvantis/Expression.h>
#include <Morvantis/TextConversion.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace
{

using namespace Morvantis::ExpressionUtils;
using KnownCubes::kCubes;
using Morvantis::Plugin::calculateUtf8;
using Morvantis::Plugin::calculateWide;

constexpr int kThreads = 8;

// The engine path: one evaluator shared by every thread, as the exports share theirs.
Evaluator& sharedEngineEvaluator()
{
    static Evaluator evaluator;
    return evaluator;
}

double calculateWithEngine(const std::string& text)
{
    double result = 0.0;
    std::string error;
    return evaluateText(sharedEngineEvaluator(), text, &result, &error, nullptr) ? result : std::nan("");
}

double calculateThroughWide(const std::string& text)
{
    WideString wide;
    utf8ToWide(text, wide);
    return calculateWide(wide.c_str());
}

struct Entry
{
    const char* name;
    std::function<double(const std::string&)> calculate;
};

const std::vector<Entry>& entries()
{
    static const std::vector<Entry> all = {
        {"exprCalc", [](const std::string& text) { return calculateUtf8(text.c_str()); }},
        {"exprCalcW", calculateThroughWide},
        {"engine", calculateWithEngine},
    };
    return all;
}

// Runs body(t) on kThreads threads that all start once every one of them exists.
void runTogether(const std::function<void(int)>& body)
{
    std::atomic<int> waiting{kThreads};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(
            [&waiting, &body, t]
            {
                waiting.fetch_sub(1);
                while (waiting.load() > 0)
                    std::this_thread::yield();
                body(t);
            });
    for (std::thread& thread : threads)
        thread.join();
}

bool isWholeIn(double value, double low, double high)
{
    return value >= low && value < high && value == std::floor(value);
}

// Must stay the only test here that calls rubik: its solves are the process's first ones.
TEST(Concurrency, FirstRubikRunsOnEveryThreadAtOnce)
{
    ASSERT_FALSE(Morvantis::Cube::tablesBuilt());
    std::vector<double> got(kThreads);
    runTogether(
        [&got](int t)
        {
            const auto i = static_cast<std::size_t>(t);
            const Entry& entry = entries()[i % entries().size()];
            got[i] = entry.calculate(std::string("rubik('") + kCubes[i % std::size(kCubes)].description + "')");
        });
    // rubik's value is the length of its move text.
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i], static_cast<double>(std::strlen(kCubes[i % std::size(kCubes)].answer))) << "thread " << i;
}

TEST(Concurrency, EveryThreadsCounterEndsAtItsIncrementCount)
{
    constexpr int kIncrements = 1000;
    // Mismatches per thread and entry, counted on the threads and checked after the join.
    std::vector<std::vector<int>> wrongSteps(kThreads, std::vector<int>(entries().size()));
    std::vector<std::vector<int>> wrongShared(kThreads, std::vector<int>(entries().size()));
    std::vector<std::vector<int>> wrongDraws(kThreads, std::vector<int>(entries().size()));

    runTogether(
        [&](int t)
        {
            const auto i = static_cast<std::size_t>(t);
            const std::string counter = "count" + std::to_string(t);
            const std::string increment = counter + " = " + counter + " + 1";
            const std::string writeShared = "shared = " + std::to_string(t) + "; shared";
            for (std::size_t e = 0; e < entries().size(); ++e)
                entries()[e].calculate(counter + " = 0");
            for (int k = 1; k <= kIncrements; ++k)
            {
                for (std::size_t e = 0; e < entries().size(); ++e)
                {
                    const auto& calculate = entries()[e].calculate;
                    // Nobody else writes this thread's counter, so every step must see its own last one.
                    wrongSteps[i][e] += calculate(increment) != k;
                    // Any thread may have written shared in between; whatever it reads must be one of the writes.
                    wrongShared[i][e] += !isWholeIn(calculate(writeShared), 0, kThreads);
                    wrongDraws[i][e] += !isWholeIn(calculate("rand(1, 7)"), 1, 7);
                    const double fraction = calculate("rand()");
                    wrongDraws[i][e] += !(fraction >= 0 && fraction < 1);
                }
            }
        });

    for (std::size_t e = 0; e < entries().size(); ++e)
    {
        SCOPED_TRACE(entries()[e].name);
        for (int t = 0; t < kThreads; ++t)
        {
            const auto i = static_cast<std::size_t>(t);
            EXPECT_EQ(entries()[e].calculate("count" + std::to_string(t)), kIncrements) << "thread " << t;
            EXPECT_EQ(wrongSteps[i][e], 0) << "thread " << t;
            EXPECT_EQ(wrongShared[i][e], 0) << "thread " << t;
            EXPECT_EQ(wrongDraws[i][e], 0) << "thread " << t;
        }
        EXPECT_TRUE(isWholeIn(entries()[e].calculate("shared"), 0, kThreads));
    }
}

} // namespace
