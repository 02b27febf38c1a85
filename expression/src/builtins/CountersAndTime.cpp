// Random numbers, wrapping counters, extremes, clock and calendar, and text-to-number conversions.
#include "../Builtins.h"
#include "../Numeric.h"

#include <juce_core/juce_core.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>
#include <random>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
constexpr double kTwoPow63 = 9223372036854775808.0;
// The whole seconds the Windows runtime's localtime_s converts; every build refuses the rest alike.
constexpr int64_t kFirstCalendarSecond = 0;
constexpr int64_t kLastCalendarSecond = 32535244799; // 3001-01-01 07:59:59 UTC
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

// An undefined value counts as start before it takes its step.
double inc(const ValueList& args, std::string&)
{
    constexpr const char* f = "inc";
    expectCount(f, args, 3);
    const double value = numberArg(f, args, 0);
    const double limit = numberArg(f, args, 1);
    const double start = numberArg(f, args, 2);
    const double x = (isFinite(value) ? value : start) + 1.0;
    return x > limit ? start : x;
}

double dec(const ValueList& args, std::string&)
{
    constexpr const char* f = "dec";
    expectCount(f, args, 3);
    const double value = numberArg(f, args, 0);
    const double limit = numberArg(f, args, 1);
    const double start = numberArg(f, args, 2);
    const double x = (isFinite(value) ? value : start) - 1.0;
    return x < limit ? start : x;
}

template <typename Better> double extreme(const char* f, const ValueList& args, Better better)
{
    expectAtLeast(f, args, 1);
    double r = numberArg(f, args, 0);
    for (std::size_t i = 1; i < args.size(); ++i)
    {
        const double a = variadicNumberArg(f, args, i);
        if (better(a, r))
            r = a;
    }
    return r;
}

double min(const ValueList& args, std::string&)
{
    return extreme("min", args, [](double a, double r) { return a < r; });
}

double max(const ValueList& args, std::string&)
{
    return extreme("max", args, [](double a, double r) { return a > r; });
}

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

template <int std::tm::*Field, int Offset> double calendarField(const char* f, const ValueList& args)
{
    const std::optional<std::tm> fields = localCalendar(singleNumberArg(f, args));
    if (!fields)
        return kNaN;
    // Widened first: the year field may be near the top of int.
    return static_cast<double>((*fields).*Field) + static_cast<double>(Offset);
}

double year(const ValueList& args, std::string&)
{
    return calendarField<&std::tm::tm_year, 1900>("year", args);
}
double month(const ValueList& args, std::string&)
{
    return calendarField<&std::tm::tm_mon, 1>("month", args);
}
double day(const ValueList& args, std::string&)
{
    return calendarField<&std::tm::tm_mday, 0>("day", args);
}
double hour(const ValueList& args, std::string&)
{
    return calendarField<&std::tm::tm_hour, 0>("hour", args);
}
double minute(const ValueList& args, std::string&)
{
    return calendarField<&std::tm::tm_min, 0>("minute", args);
}
double second(const ValueList& args, std::string&)
{
    return calendarField<&std::tm::tm_sec, 0>("second", args);
}

double millisec(const ValueList& args, std::string&)
{
    const double t = singleNumberArg("millisec", args);
    if (!(std::fabs(t) < kTwoPow63))
        return kNaN;
    const double whole = static_cast<double>(static_cast<int64_t>(t));
    return LibM::round((t - whole) * 1000.0);
}

// Folds the characters of text into a 32-bit word, most significant first, with the given radix and digit values.
template <typename DigitValue> uint32_t fold(const std::string& text, uint32_t radix, DigitValue digitValue)
{
    uint32_t v = 0;
    for (const char c : text)
        v = v * radix + digitValue(static_cast<unsigned char>(c));
    return v;
}

uint32_t parseHex(const std::string& text)
{
    return fold(text, 16u,
                [](unsigned char c) -> uint32_t
                {
                    if (c >= '0' && c <= '9')
                        return static_cast<uint32_t>(c - '0');
                    if (c >= 'a' && c <= 'f')
                        return static_cast<uint32_t>(c - 'a' + 10);
                    return static_cast<uint32_t>(c - 'A' + 10);
                });
}

const std::string& digitText(const char* f, const ValueList& args, const char* allowed)
{
    expectCount(f, args, 1);
    const std::string& text = stringArg(f, args, 0);
    if (text.find_first_not_of(allowed) != std::string::npos)
        fail(f, "has invalid characters.");
    return text;
}

double hex(const ValueList& args, std::string&)
{
    return static_cast<double>(parseHex(digitText("hex", args, "0123456789aAbBcCdDeEfF")));
}

double bin(const ValueList& args, std::string&)
{
    const std::string& text = digitText("bin", args, "01");
    return static_cast<double>(fold(text, 2u, [](unsigned char c) { return static_cast<uint32_t>(c - '0'); }));
}

double chr(const ValueList& args, std::string&)
{
    expectCount("chr", args, 1);
    const std::string& text = stringArg("chr", args, 0);
    return static_cast<double>(fold(text, 256u, [](unsigned char c) { return static_cast<uint32_t>(c); }));
}

} // namespace

const std::array<Entry, 17> countersAndTime{{
    {"rand", rand},
    {"inc", inc},
    {"dec", dec},
    {"min", min},
    {"max", max},
    {"date", date},
    {"datetime", datetime},
    {"year", year},
    {"month", month},
    {"day", day},
    {"hour", hour},
    {"minute", minute},
    {"second", second},
    {"millisec", millisec},
    {"hex", hex},
    {"bin", bin},
    {"chr", chr},
}};

} // namespace Morvantis::ExpressionUtils::Builtins
