// rand, inc/dec, min/max, the clock and calendar functions, and hex/bin/chr.
#include "Builtins.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <set>
#include <string>
#include <tuple>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace std::string_literals;
const double kNan = std::nan("");
const double kInf = HUGE_VAL;
const auto n = [](double v) { return Value::ofNumber(v); };
const auto s = [](std::string t) { return Value::ofString(std::move(t)); };

double call(const std::string& name, const ValueList& args)
{
    std::string textOut = "kept";
    const double result = callBuiltinFunction(name, args, &textOut);
    EXPECT_EQ(textOut, "kept") << name << " must leave the text output alone";
    return result;
}

void expectSame(double expected, double actual)
{
    if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(actual)) << actual;
    else
        EXPECT_EQ(expected, actual);
}

TEST(CountersAndTime, RefusalsReportTheFirstFailingCheck)
{
    const std::tuple<const char*, ValueList, const char*> cases[] = {
        {"rand", {s("a"), s("b"), s("c")}, "Function 'rand' expects 2 or less parameters."},
        {"rand", {s("a"), n(2)}, "Function 'rand' expects 'Value' parameter 1."},
        {"rand", {n(1), s("b")}, "Function 'rand' expects 'Value' parameter 2."},
        {"rand", {n(5), n(5)}, "Function 'rand' expects first parameter smaller than second."},
        {"RAND", {n(1.4), n(1.2)}, "Function 'rand' expects first parameter smaller than second."},
        {"inc", {n(1), n(2), s("c")}, "Function 'inc' expects 'Value' parameter 3."},
        {"dec", {n(1), s("a"), n(0)}, "Function 'dec' expects 'Value' parameter 2."},
        {"min", {}, "Function 'min' expects 1 or more parameters."},
        {"min", {s("a")}, "Function 'min' expects 'Value' parameter 1."},
        {"max", {n(1), n(2), s("x")}, "Function 'max' expects 'Value' parameter."},
        {"date", {n(5)}, "Function 'date' expects 'String' parameter 1."},
        {"datetime", {n(1)}, "Function 'datetime' expects 0 parameters."},
        {"year", {s("2021")}, "Function 'year' expects 'Value' parameter 1."},
        {"millisec", {n(1), n(2)}, "Function 'millisec' expects 1 parameters."},
        {"hex", {n(255)}, "Function 'hex' expects 'String' parameter 1."},
        {"hex", {s("0x1F")}, "Function 'hex' has invalid characters."},
        {"hex", {s("f\0f"s)}, "Function 'hex' has invalid characters."},
        {"bin", {s("102")}, "Function 'bin' has invalid characters."},
        {"chr", {n(65)}, "Function 'chr' expects 'String' parameter 1."},
    };
    for (const auto& [name, args, message] : cases)
    {
        SCOPED_TRACE(message);
        try
        {
            call(name, args);
            ADD_FAILURE() << "accepted";
        }
        catch (const Morvantis::ErrorException& e)
        {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

TEST(CountersAndTime, DeterministicResults)
{
    const std::tuple<const char*, ValueList, double> cases[] = {
        {"inc", {n(4), n(5), n(0)}, 5},
        {"inc", {n(5), n(5), n(0)}, 0},
        {"inc", {n(kNan), n(5), n(0)}, 1},
        {"inc", {n(9), n(kNan), n(0)}, 10},
        {"inc", {n(5), n(5), n(kNan)}, kNan},
        {"dec", {n(1), n(0), n(9)}, 0},
        {"dec", {n(0), n(0), n(9)}, 9},
        {"dec", {n(kNan), n(0), n(9)}, 8},
        {"dec", {n(0.5), n(0), n(9)}, 9},
        {"min", {n(3)}, 3},
        {"min", {n(kNan), n(1)}, kNan},
        {"min", {n(1), n(kNan), n(0)}, 0},
        {"max", {n(2), n(kNan)}, 2},
        {"max", {n(1), n(5), n(3)}, 5},
        // A zero-width range gives its lower end instead of dividing by zero.
        {"rand", {n(0)}, 0},
        {"rand", {n(0.4)}, 0},
        {"rand", {n(1.2), n(1.4)}, 1},
        {"rand", {n(-7.3), n(-6.6)}, -7},
        {"rand", {n(0.5)}, 0},
        {"date", {s("1970-01-02")}, 86400},
        {"date", {s("2021-11-25T12:00:00Z")}, 1637841600},
        {"date", {s("2021-11-25T12:00:00.250+01:00")}, 1637838000.25},
        {"date", {s("garbage")}, 0},
        {"millisec", {n(1.25)}, 250},
        {"millisec", {n(-2.5)}, -500},
        {"millisec", {n(3)}, 0},
        {"millisec", {n(1.9996)}, 1000},
        {"millisec", {n(-1.9996)}, -1000},
        {"millisec", {n(0.0005)}, 1},
        {"millisec", {n(kNan)}, kNan},
        {"millisec", {n(-9223372036854775808.0)}, kNan},
        {"millisec", {n(4611686018427387904.0)}, 0},
        {"hex", {s("ff")}, 255},
        {"hex", {s("FF")}, 255},
        {"hex", {s("")}, 0},
        {"hex", {s("FFFFFFFF")}, 4294967295.0},
        {"hex", {s("100000000")}, 0},
        {"hex", {s("123456789")}, 0x23456789},
        {"hex", {s("aBcDeF09")}, 0xABCDEF09},
        {"bin", {s("101")}, 5},
        {"bin", {s("")}, 0},
        {"bin", {s(std::string(33, '1'))}, 4294967295.0},
        {"bin", {s("1" + std::string(32, '0'))}, 0},
        {"chr", {s("A")}, 65},
        {"chr", {s("AB")}, 16706},
        {"chr", {s("ABCDE")}, 1111704645},
        {"chr", {s("")}, 0},
        {"chr", {s("\xC3\xA9")}, 50089},
        {"chr", {s("\xFF\xFF\xFF\xFF")}, 4294967295.0},
        {"chr", {s("\0A"s)}, 65},
    };
    for (const auto& [name, args, expected] : cases)
    {
        SCOPED_TRACE(std::string(name) + " expecting " + std::to_string(expected));
        expectSame(expected, call(name, args));
    }
    // Of equal values the earlier stays, which shows in the sign of zero.
    EXPECT_TRUE(std::signbit(call("min", {n(-0.0), n(0.0)})));
}

TEST(CountersAndTime, RandStaysInItsRangeAndReachesAllOfIt)
{
    const std::tuple<ValueList, double, double> cases[] = {
        {{n(6)}, 0, 5},
        {{n(2.5)}, 0, 2},
        {{n(1), n(6)}, 1, 5},
        {{n(-3), n(2)}, -3, 1},
        {{n(-3.5), n(-1.5)}, -4, -3},
        {{n(1e8)}, 0, 16777215},
        {{n(-5)}, 0, 16777215}, // a negative bound is a huge unsigned modulus
        {{n(10), n(3e9)}, 10, 10 + 16777215},
        {{}, 0, 1},
    };
    for (const auto& [args, low, high] : cases)
    {
        SCOPED_TRACE(std::to_string(low) + ".." + std::to_string(high));
        std::set<double> seen;
        double sum = 0;
        for (int i = 0; i < 3000; ++i)
        {
            const double r = call("rand", args);
            ASSERT_TRUE(r >= low && r <= high) << r;
            ASSERT_TRUE(args.empty() || r == std::floor(r)) << r;
            seen.insert(r);
            sum += r;
        }
        if (!args.empty() && high - low < 10)
            EXPECT_EQ(seen.size(), static_cast<std::size_t>(high - low + 1));
        else
            EXPECT_GT(seen.size(), 2900u); // spread over the whole scale, not stuck in a corner
        EXPECT_NEAR(sum / 3000, (low + high) / 2, (high - low) * 0.05);
    }
}

TEST(CountersAndTime, DatetimeIsTheClockInWholeMilliseconds)
{
    const auto seconds = []
    { return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count(); };
    const double before = seconds();
    const double now = call("datetime", {});
    EXPECT_GE(now, std::floor(before * 1000.0) / 1000.0);
    EXPECT_LE(now, seconds());
    EXPECT_EQ(std::round(now * 1000.0), now * 1000.0);
}

// Sets TZ for one test and restores the previous zone afterwards.
class LocalTime : public testing::Test
{
  protected:
    void TearDown() override
    {
        hadZone_ ? setenv("TZ", savedZone_.c_str(), 1) : unsetenv("TZ");
        tzset();
    }
    static void useZone(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

  private:
    const bool hadZone_ = std::getenv("TZ") != nullptr;
    const std::string savedZone_ = hadZone_ ? std::getenv("TZ") : "";
};

TEST_F(LocalTime, CalendarFieldsFollowTheZoneIncludingHalfHoursAndSummerTime)
{
    const char* const us = "EST5EDT,M3.2.0,M11.1.0";
    const std::tuple<const char*, double, std::array<double, 6>> cases[] = {
        {"UTC0", 1626350400, {2021, 7, 15, 12, 0, 0}},
        {"UTC0", 1626350459.999, {2021, 7, 15, 12, 0, 59}},
        {"UTC0", -0.999, {1970, 1, 1, 0, 0, 0}}, // whole seconds truncate toward zero
        {"IST-5:30", 1626350400, {2021, 7, 15, 17, 30, 0}},
        {"IST-5:30", 1640975400, {2022, 1, 1, 0, 0, 0}},
        {us, 1626350400, {2021, 7, 15, 8, 0, 0}},
        {us, 1615705199, {2021, 3, 14, 1, 59, 59}}, // the last second of standard time
        {us, 1615705200, {2021, 3, 14, 3, 0, 0}},
        {us, -0.5, {1969, 12, 31, 19, 0, 0}},
    };
    const char* names[] = {"year", "month", "day", "hour", "minute", "second"};
    for (const auto& [zone, t, fields] : cases)
    {
        SCOPED_TRACE(std::string(zone) + " at " + std::to_string(t));
        useZone(zone);
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(call(names[i], {n(t)}), fields[i]) << names[i];
    }
}

TEST_F(LocalTime, CalendarFieldsOfTimesWithoutAWholeSecondAreNaN)
{
    useZone("IST-5:30");
    for (const double t : {kNan, kInf, -kInf, -1.0, -1e9, 9.3e15, 1e300})
    {
        SCOPED_TRACE(t);
        for (const char* name : {"year", "month", "day", "hour", "minute", "second"})
            EXPECT_TRUE(std::isnan(call(name, {n(t)}))) << name;
    }
    EXPECT_GT(call("year", {n(9.2e15)}), 2.9e8); // far off, but its milliseconds still fit
}

} // namespace
