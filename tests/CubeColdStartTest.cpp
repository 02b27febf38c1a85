// Runs in a process of its own so that the first solves really do find the tables unbuilt.
#include "KnownCubes.h"
#include "Tables.h"

#include <Morvantis/Cube.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace Morvantis::Cube
{
namespace
{
using KnownCubes::kCubes;

TEST(CubeColdStartTest, ThreadsSolveTogetherFromUnbuiltTables)
{
    constexpr std::size_t kCount = std::size(kCubes);
    ASSERT_FALSE(tablesBuilt());
    constexpr std::size_t kThreads = 8;
    std::vector<std::vector<std::string>> answers(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < kThreads; ++i)
        threads.emplace_back(
            [&answers, i]
            {
                for (std::size_t k = 0; k < kCount; ++k)
                    answers[i].push_back(rubikSolve(kCubes[(i + k) % kCount].description, nullptr));
            });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_TRUE(tablesBuilt());
    for (std::size_t i = 0; i < kThreads; ++i)
        for (std::size_t k = 0; k < kCount; ++k)
            EXPECT_EQ(answers[i][k], kCubes[(i + k) % kCount].answer) << "thread " << i;
}

} // namespace
} // namespace Morvantis::Cube
