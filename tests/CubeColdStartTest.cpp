// Runs in a process of its own so that the first solves really do find the tables unbuilt.
#include "Tables.h"

#include <Morvantis/Cube.h>

#include <gtest/gtest.h>

#include <thread>

namespace Morvantis::Cube
{
namespace
{
TEST(CubeColdStartTest, ThreadsSolveTogetherFromUnbuiltTables)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"UUUUUUUUUFFFRRRRRRLLLFFFFFFDDDDDDDDDBBBLLLLLLRRRBBBBBB", "U "},
        {"UULUUFUUFRRUBRRURRFFDFFUFFFDDRDDDDDDBLLLLLLLLBRRBBBBBB", "U R U' R' "},
        {"FFFFUFFFFRRRURURRRDDDRFRDDDBBBBDBBBBLLLDLDLLLUUULBLUUU", "F B R L U2 L2 F2 R2 D2 L2 B2 U' D' "},
    };
    ASSERT_FALSE(tablesBuilt());
    constexpr std::size_t kThreads = 8;
    std::vector<std::vector<std::string>> answers(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < kThreads; ++i)
        threads.emplace_back([&cases, &answers, i] {
            for (std::size_t k = 0; k < cases.size(); ++k)
                answers[i].push_back(rubikSolve(cases[(i + k) % cases.size()].first, nullptr));
        });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_TRUE(tablesBuilt());
    for (std::size_t i = 0; i < kThreads; ++i)
        for (std::size_t k = 0; k < cases.size(); ++k)
            EXPECT_EQ(answers[i][k], cases[(i + k) % cases.size()].second) << "thread " << i;
}

} // namespace
} // namespace Morvantis::Cube
