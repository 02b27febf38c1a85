// date, datetime, the calendar fields and millisec.
#include "Numeric.h"
#include "support/BuiltinTesting.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;

// Refusals report the first failing check.
TEST(DateAndTime, DeterministicResultsAndRefusals)
{
    checkCalls({
        {"millisec", {{-2.5, -500}, {1.9996, 1000}, {0.0005, 1}, {kNaN, kNaN}, {-0x1p63, kNaN}, {0x1p62, 0}}},
    });
    check({
        {"date", {str("1970-01-02")}, 86400},
        {"date", {str("2021-11-25T12:00:00.250+01:00")}, 1637838000.25},
        {"date", {str("garbage")}, 0},
        {"datetime", {num(1)}, 0, "Function 'datetime' expects 0 parameters."},
    });
}

TEST(DateAndTime, DatetimeIsTheClockInWholeMilliseconds)
{
    const auto seconds = []
    { return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count(); };
    const double before = seconds();
    const double now = callBuiltinFunction("datetime", {}, nullptr);
    EXPECT_GE(now, std::floor(before * 1000.0) / 1000.0);
    EXPECT_LE(now, seconds());
    EXPECT_EQ(std::round(now * 1000.0), now * 1000.0);
}

TEST(DateAndTime, CalendarFieldsFollowTheZoneAndAreNaNWithoutAWholeSecond)
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
