// Wrapping counters and the extremes of a list.
#include "../Builtins.h"
#include "../Numeric.h"

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
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

constexpr Entry kEntries[] = {
    {"inc", inc},
    {"dec", dec},
    {"min", min},
    {"max", max},
};
} // namespace

const Family countersAndExtremes(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
