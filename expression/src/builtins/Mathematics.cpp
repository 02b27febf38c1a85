// Tests for a defined number, defaults and the mathematical functions.
#include "../Builtins.h"
#include "../Numeric.h"

#include <cmath>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{

// exists and notexists word their messages differently from the rest of the library.
double definedArg(const char* f, const ValueList& args)
{
    if (args.size() != 1)
        fail(f, "expects 1 parameter.");
    if (!args[0].isNumber())
        fail(f, "expects number parameter.");
    return args[0].number;
}

double exists(const ValueList& args, std::string&)
{
    return truth(isFinite(definedArg("exists", args)));
}

double notExists(const ValueList& args, std::string&)
{
    return truth(!isFinite(definedArg("notexists", args)));
}

double nop(const ValueList& args, std::string&)
{
    expectCount("nop", args, 0);
    return 0.0;
}

double notANumber(const ValueList& args, std::string&)
{
    expectCount("nan", args, 0);
    return kNaN;
}

// The first argument that qualifies, else the last one as it is. Arguments after the chosen
// one are not even type-checked.
template <typename Qualifies> double firstQualifying(const char* f, const ValueList& args, Qualifies qualifies)
{
    expectAtLeast(f, args, 2);
    double x = 0.0;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        x = variadicNumberArg(f, args, i);
        if (qualifies(x))
            return x;
    }
    return x;
}

double defnz(const ValueList& args, std::string&)
{
    return firstQualifying("defnz", args, [](double x) { return isFinite(x) && std::fabs(x) >= kConditionTolerance; });
}

double def(const ValueList& args, std::string&)
{
    return firstQualifying("def", args, isFinite);
}

// Logarithms refuse anything not above zero; NaN passes the ordered test and stays NaN.
double positiveArg(const char* f, const ValueList& args)
{
    const double x = singleNumberArg(f, args);
    if (x <= 0.0)
        fail(f, "expects parameter larger than zero.");
    return x;
}

double arcTangent2(const ValueList& args, std::string&)
{
    expectCount("atan2", args, 2);
    const double y = numberArg("atan2", args, 0);
    const double x = numberArg("atan2", args, 1);
    return LibM::atan2(y, x);
}

double pi(const ValueList& args, std::string&)
{
    expectCount("pi", args, 0);
    return kPi;
}

double euler(const ValueList& args, std::string&)
{
    expectCount("e", args, 0);
    return kE;
}

double power(const ValueList& args, std::string&)
{
    expectCount("pow", args, 2);
    const double base = numberArg("pow", args, 0);
    const double exponent = numberArg("pow", args, 1);
    return LibM::pow(base, exponent);
}

double logarithm(const ValueList& args, std::string&)
{
    return LibM::log(positiveArg("log", args));
}

double logarithm10(const ValueList& args, std::string&)
{
    return LibM::log10(positiveArg("log10", args));
}

double logarithm2(const ValueList& args, std::string&)
{
    return LibM::log2(positiveArg("log2", args));
}

constexpr Entry kEntries[] = {
    {"exists", exists},
    {"notexists", notExists},
    {"nop", nop},
    {"nan", notANumber},
    {"defnz", defnz},
    {"def", def},
    {"abs", nullptr, [](double x) { return std::fabs(x); }},
    {"sqrt", nullptr, LibM::sqrt},
    {"sqr", nullptr, [](double x) { return x * x; }},
    {"sin", nullptr, LibM::sin},
    {"cos", nullptr, LibM::cos},
    {"tan", nullptr, LibM::tan},
    {"asin", nullptr, LibM::asin},
    {"acos", nullptr, LibM::acos},
    {"atan", nullptr, LibM::atan},
    {"atan2", arcTangent2},
    {"pi", pi},
    {"rad2deg", nullptr, radToDeg},
    {"deg2rad", nullptr, degToRad},
    {"e", euler},
    {"pow", power},
    {"exp", nullptr, LibM::exp},
    {"exp10", nullptr, [](double x) { return LibM::pow(10.0, x); }},
    {"exp2", nullptr, LibM::exp2},
    {"log", logarithm},
    {"log10", logarithm10},
    {"log2", logarithm2},
};
} // namespace

const Family mathematics(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
