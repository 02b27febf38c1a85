// Clock and calendar: ISO 8601 dates, the current time, and the local calendar fields of a time.
#include "../Builtins.h"
#include "../Numeric.h"

#include <juce_core/juce_core.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <optional>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
constexpr double kTwoPow63 = 9223372036854775808.0;
// The whole seconds the Windows runtime's localtime_s converts; every build refuses the rest alike.
constexpr int64_t kFirstCalendarSecond = 0;
constexpr int64_t kLastCalendarSecond = 32535244799; // 3001-01-01 07:59:59 UTC

double date(const ValueList& args, std::string&)
{
    expectCount("date", args, 1);
    const std::string& text = stringArg("date", args, 0);
    const juce::Time time = juce::Time::fromISO8601(juce::StringRef(text));
    return static_cast<double>(time.toMilliseconds()) / 1000.0;
}

double datetime(const ValueList& args, std::string&)
{
    expectCount("datetime", args, 0);
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<double>(ms) / 1000.0;
}

// The local calendar fields of t, or nothing when t has no whole-second count the runtime accepts.
std::optional<std::tm> localCalendar(double t)
{
    const double scaled = t * 1000.0;
    if (!(scaled >= -kTwoPow63 && scaled < kTwoPow63))
        return std::nullopt;
    const int64_t seconds = static_cast<int64_t>(scaled) / 1000;
    if (seconds < kFirstCalendarSecond || seconds > kLastCalendarSecond)
        return std::nullopt;
    const auto whole = static_cast<std::time_t>(seconds);
    std::tm fields{};
#ifdef _WIN32
    if (localtime_s(&fields, &whole) != 0)
        return std::nullopt;
#else
    if (localtime_r(&whole, &fields) == nullptr)
        return std::nullopt;
#endif
    return fields;
}

template <int std::tm::*Field, int Offset> double calendarField(double seconds)
{
    const std::optional<std::tm> fields = localCalendar(seconds);
    if (!fields)
        return kNaN;
    return static_cast<double>((*fields).*Field) + static_cast<double>(Offset);
}

double millisec(double t)
{
    if (!(std::fabs(t) < kTwoPow63))
        return kNaN;
    const double whole = static_cast<double>(static_cast<int64_t>(t));
    return LibM::round((t - whole) * 1000.0);
}

constexpr Entry kEntries[] = {
    {"date", date},
    {"datetime", datetime},
    {"year", nullptr, calendarField<&std::tm::tm_year, 1900>},
    {"month", nullptr, calendarField<&std::tm::tm_mon, 1>},
    {"day", nullptr, calendarField<&std::tm::tm_mday, 0>},
    {"hour", nullptr, calendarField<&std::tm::tm_hour, 0>},
    {"minute", nullptr, calendarField<&std::tm::tm_min, 0>},
    {"second", nullptr, calendarField<&std::tm::tm_sec, 0>},
    {"millisec", nullptr, millisec},
};
} // namespace

const Family dateAndTime(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
