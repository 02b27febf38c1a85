// sleep and the colour components.
#include "Numeric.h"
#include "support/BuiltinTesting.h"

#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

TEST(PauseAndColour, SleepRoundsToMillisecondsAndSkipsWhatDoesNotFit)
{
    // {seconds, at least, below}, the two bounds in milliseconds
    const std::tuple<double, int, int> cases[] = {{0.0005, 1, 200}, {0.03, 30, 500}, {-2, 0, 50}, {3000000, 0, 50}};
    for (const auto& [seconds, atLeast, below] : cases)
    {
        const auto start = std::chrono::steady_clock::now();
        check({{"sleep", {num(seconds)}, 1}});
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_TRUE(took >= std::chrono::milliseconds(atLeast) && took < std::chrono::milliseconds(below)) << seconds;
    }
}

TEST(PauseAndColour, ColourComponentsInSinglePrecision)
{
    // 0xFF00FF00: alpha plays no part; 65280.5 rounds to 65281; NaN is black.
    checkCalls({
        {"rgb2hue", {{255, 240.00000715255737}, {16744448, 30.117645263671875}, {0xFF00FF00, 120.00000357627869}}},
        {"rgb2hue", {{65280.5, 120.23529767990112}, {8421504, 0}, {kNaN, 0}}},
        {"rgb2sat", {{16744448, 100}, {8421504, 0}, {-1, 0}, {kNaN, 0}}},
        {"rgb2lum", {{16744448, 100}, {8421504, 50.1960813999176}, {-1, 100}, {kNaN, 0}}},
    });
}

} // namespace
