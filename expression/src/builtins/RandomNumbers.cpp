// rand: one generator for the whole process, drawn under a lock.
#include "../Builtins.h"
#include "../Numeric.h"

#include <cstdint>
#include <mutex>
#include <random>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
constexpr double kTwoPow64 = 18446744073709551616.0;
constexpr double kDrawScale = 16777215.0; // 2^24 - 1

// One generator for the whole process; the exports may be called from several threads.
struct RandomState
{
    std::random_device device;
    std::mt19937_64 generator{static_cast<std::mt19937_64::result_type>(device())};
    std::mutex mutex;
};

RandomState& randomState()
{
    static RandomState state; // built by the first draw, thread-safe
    return state;
}

double random01()
{
    RandomState& state = randomState();
    const std::lock_guard<std::mutex> lock(state.mutex);
    return static_cast<double>(state.generator()) / kTwoPow64;
}

uint32_t draw()
{
    return static_cast<uint32_t>(random01() * kDrawScale);
}

uint32_t randomBelow(uint32_t n)
{
    const uint32_t d = draw();
    return n == 0 ? 0u : d % n;
}

int32_t randomBetween(int32_t a, int32_t b)
{
    const uint32_t width = static_cast<uint32_t>(b) - static_cast<uint32_t>(a);
    const uint32_t d = draw();
    const uint32_t r = width == 0 ? 0u : d % width;
    return static_cast<int32_t>(static_cast<uint32_t>(a) + r);
}

double rand(const ValueList& args, std::string&)
{
    constexpr const char* f = "rand";
    expectAtMost(f, args, 2);
    if (!args.empty())
        numberArg(f, args, 0);
    if (args.size() == 2)
    {
        numberArg(f, args, 1);
        if (args[0].number >= args[1].number)
            fail(f, "expects first parameter smaller than second.");
    }
    if (args.empty())
        return random01();
    if (args.size() == 1)
        return static_cast<double>(randomBelow(static_cast<uint32_t>(roundToInt32(args[0].number))));
    return static_cast<double>(randomBetween(roundToInt32(args[0].number), roundToInt32(args[1].number)));
}

constexpr Entry kEntries[] = {
    {"rand", rand},
};
} // namespace

const Family randomNumbers(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
