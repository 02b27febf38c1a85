// rand, inc/dec, min/max, the clock and calendar functions, and hex/bin/chr.
#include "Numeric.h"
#include "support/BuiltinTesting.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;
using namespace std::string_literals;

// Refusals report the first failing check.
TEST(CountersTimeAndTextToNumber, DeterministicResultsAndRefusals)
{
    checkCalls({
        {"inc", {{4, 5, 0, 5}, {5, 5, 0, 0}, {kNaN, 5, 0, 1}, {9, kNaN, 0, 10}}},
        {"dec", {{1, 0, 9, 0}, {0, 0, 9, 9}, {kNaN, 0, 9, 8}}},
        {"min", {{kNaN, 1, kNaN}, {1, kNaN, 0, 0}}},
        {"max", {{2, kNaN, 2}, {1, 5, 3, 5}}},
        // A zero-width range gives its lower end instead of dividing by zero.
        {"rand", {{0, 0}, {0.4, 0}, {1.2, 1.4, 1}, {-7.3, -6.6, -7}, {0.5, 0}}},
        {"millisec", {{-2.5, -500}, {1.9996, 1000}, {0.0005, 1}, {kNaN, kNaN}, {-0x1p63, kNaN}, {0x1p62, 0}}},
    });
    // clang-format off
    check({
        {"date", {str("1970-01-02")}, 86400}, {"date", {str("2021-11-25T12:00:00.250+01:00")}, 1637838000.25},
        {"date", {str("garbage")}, 0}, {"hex", {str("")}, 0}, {"hex", {str("FFFFFFFF")}, 4294967295.0},
        {"hex", {str("123456789")}, 0x23456789}, {"hex", {str("aBcDeF09")}, 0xABCDEF09}, {"hex", {str("ff")}, 255},
        {"hex", {str("cafe")}, 51966}, {"bin", {str("101")}, 5}, {"bin", {str("1" + std::string(32, '0'))}, 0},
        {"chr", {str("AB")}, 16706}, {"chr", {str("ABCDE")}, 1111704645}, {"chr", {str("\xC3\xA9")}, 50089},
        {"chr", {str("\0A"s)}, 65},
        {"rand", {str("a"), str("b"), str("c")}, 0, "Function 'rand' expects 2 or less parameters."},
        {"rand", {str("a"), num(2)}, 0, "Function 'rand' expects 'Value' parameter 1."},
        {"rand", {num(1), str("b")}, 0, "Function 'rand' expects 'Value' parameter 2."},
        {"rand", {num(5), num(5)}, 0, "Function 'rand' expects first parameter smaller than second."},
        {"dec", {num(1), str("a"), num(0)}, 0, "Function 'dec' expects 'Value' parameter 2."},
        {"min", {}, 0, "Function 'min' expects 1 or more parameters."},
        {"min", {str("a")}, 0, "Function 'min' expects 'Value' parameter 1."},
        {"max", {num(1), num(2), str("x")}, 0, "Function 'max' expects 'Value' parameter."},
        {"datetime", {num(1)}, 0, "Function 'datetime' expects 0 parameters."},
        {"hex", {str("0x1F")}, 0, "Function 'hex' has invalid characters."},
        {"hex", {str("f\0f"s)}, 0, "Function 'hex' has invalid characters."},
        {"bin", {str("102")}, 0, "Function 'bin' has invalid characters."},
    });
    // clang-format on
    // Of equal values the earlier stays, which shows in the sign of zero.
    EXPECT_TRUE(std::signbit(callBuiltinFunction("min", {num(-0.0), num(0.0)}, nullptr)));
}

TEST(CountersTimeAndTextToNumber, RandStaysInItsRangeAndReachesAllOfIt)
{
    // A negative bound is a huge unsigned modulus.
    const std::tuple<ValueList, double, double> cases[] = {
        {{num(2.5)}, 0, 2}, {{num(-3), num(2)}, -3, 1}, {{num(1e8)}, 0, 16777215}, {{num(-5)}, 0, 16777215}, {{}, 0, 1},
    };
    for (const auto& [args, low, high] : cases)
    {
        SCOPED_TRACE(std::to_string(low) + ".." + std::to_string(high));
        std::set<double> seen;
        double sum = 0;
        for (int i = 0; i < 3000; ++i)
        {
            const double r = callBuiltinFunction("rand", args, nullptr);
            ASSERT_TRUE(r >= low && r <= high && (args.empty() || r == std::floor(r))) << r;
            seen.insert(r);
            sum += r;
        }
        // Every value of a short range; a wide one spread over the whole scale, not stuck in a corner.
        EXPECT_GE(seen.size(), !args.empty() && high - low < 10 ? static_cast<std::size_t>(high - low + 1) : 2900u);
        EXPECT_NEAR(sum / 3000, (low + high) / 2, (high - low) * 0.05);
    }
}

TEST(CountersTimeAndTextToNumber, DatetimeIsTheClockInWholeMilliseconds)
{
    const auto seconds = []
    { return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count(); };
    const double before = seconds();
    const double now = callBuiltinFunction("datetime", {}, nullptr);
    EXPECT_GE(now, std::floor(before * 1000.0) / 1000.0);
    EXPECT_LE(now, seconds());
    EXPECT_EQ(std::round(now * 1000.0), now * 1000.0);
}

TEST(CountersTimeAndTextToNumber, CalendarFieldsFollowTheZoneAndAreNaNWithoutAWholeSecond)
{
    const bool hadZone = std::getenv("TZ") != nullptr;
    const std::string savedZone = hadZone ? std::getenv("TZ") : "";
    const char *const us = "EST5EDT,M3.2.0,M11.1.0", *const india = "IST-5:30";
    const std::array<double, 6> none = {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
    // Whole seconds truncate toward zero; no fields are read from a conversion that was refused or never made.
    // clang-format off
    const std::tuple<const char*, double, std::array<double, 6>> cases[] = {
        {"UTC0", 1626350459.999, {2021, 7, 15, 12, 0, 59}}, {india, 1626350400, {2021, 7, 15, 17, 30, 0}},
        {us, 1615705200, {2021, 3, 14, 3, 0, 0}}, // the first second of summer time
        {us, -0.5, {1969, 12, 31, 19, 0, 0}}, {india, kNaN, none}, {india, kInf, none}, {india, -1.0, none},
        {"UTC0", 32535244799.999, {3001, 1, 1, 7, 59, 59}}, // the last second the Windows runtime converts
        {"UTC0", 32535244800, none},
    };
    // clang-format on
    for (const auto& [zone, t, fields] : cases)
    {
        SCOPED_TRACE(zone);
        setenv("TZ", zone, 1);
        tzset();
        std::vector<Case> calls;
        for (const char* name : {"year", "month", "day", "hour", "minute", "second"})
            calls.push_back({name, {num(t)}, fields[calls.size()]});
        check(calls);
    }
    hadZone ? setenv("TZ", savedZone.c_str(), 1) : unsetenv("TZ");
    tzset();
}

} // namespace
