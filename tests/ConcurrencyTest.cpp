// Eight threads at once through both calculator exports, each of which shares one evaluator between
// all threads: the first cube solves, a counter per thread, one shared variable and random draws. The
// thread lane runs this under ThreadSanitizer for the races; the counters themselves catch lost writes.
#include "CalculatorExports.h"
#include "KnownCubes.h"
#include "Tables.h"

#include <Morvantis/TextConversion.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace
{
using namespace Morvantis::ExpressionUtils;
using KnownCubes::kCubes;

constexpr int kThreads = 8;

double utf8(const std::string& text)
{
    return Morvantis::Plugin::calculateUtf8(text.c_str());
}

double wide(const std::string& text)
{
    WideString converted;
    utf8ToWide(text, converted);
    return Morvantis::Plugin::calculateWide(converted.c_str());
}

using Entry = double (*)(const std::string&);
constexpr Entry kEntries[] = {utf8, wide};

TEST(Concurrency, ThreadsShareCubeTablesEvaluatorsAndRandomNumbers)
{
    ASSERT_FALSE(Morvantis::Cube::tablesBuilt()); // the solves below are the process's first ones
    constexpr int kIncrements = 1000;
    std::atomic<int> waiting{kThreads};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(
            [&waiting, t]
            {
                waiting.fetch_sub(1);
                while (waiting.load() > 0)
                    std::this_thread::yield();
                SCOPED_TRACE(t);
                const auto i = static_cast<std::size_t>(t);
                const auto& cube = kCubes[i % std::size(kCubes)];
                const std::string rubik = std::string("rubik('") + cube.description + "')";
                // rubik's value is the length of its move text.
                EXPECT_EQ(kEntries[i % std::size(kEntries)](rubik), static_cast<double>(std::strlen(cube.answer)));
                const std::string counter = "count" + std::to_string(t);
                const std::string writeShared = "shared = " + std::to_string(t) + "; shared";
                for (const Entry calculate : kEntries)
                    calculate(counter + " = 0");
                for (int k = 1; k <= kIncrements; ++k)
                    for (const Entry calculate : kEntries)
                    {
                        // Nobody else writes this thread's counter, so every step must see its own last one;
                        // any thread may have written shared in between, so it reads as one of the writes.
                        ASSERT_EQ(calculate(counter + " = " + counter + " + 1"), k);
                        const double shared = calculate(writeShared), die = calculate("rand(1, 7)");
                        const double fraction = calculate("rand()");
                        ASSERT_TRUE(shared >= 0 && shared < kThreads && shared == std::floor(shared)) << shared;
                        ASSERT_TRUE(die >= 1 && die < 7 && die == std::floor(die)) << die;
                        ASSERT_TRUE(fraction >= 0 && fraction < 1) << fraction;
                    }
            });
    for (std::thread& thread : threads)
        thread.join();
    for (const Entry calculate : kEntries)
        for (int t = 0; t < kThreads; ++t)
            EXPECT_EQ(calculate("count" + std::to_string(t)), kIncrements) << "thread " << t;
}

} // namespace
