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

double absolute(const ValueList& args, std::string&)
{
    return std::fabs(singleNumberArg("abs", args));
}

double squareRoot(const ValueList& args, std::string&)
{
    return LibM::sqrt(singleNumberArg("sqrt", args));
}

double square(const ValueList& args, std::string&)
{
    const double x = singleNumberArg("sqr", args);
    return x * x;
}

double sine(const ValueList& args, std::string&)
{
    return LibM::sin(singleNumberArg("sin", args));
}

double cosine(const ValueList& args, std::string&)
{
    return LibM::cos(singleNumberArg("cos", args));
}

double tangent(const ValueList& args, std::string&)
{
    return LibM::tan(singleNumberArg("tan", args));
}

double arcSine(const ValueList& args, std::string&)
{
    return LibM::asin(singleNumberArg("asin", args));
}

double arcCosine(const ValueList& args, std::string&)
{
    return LibM::acos(singleNumberArg("acos", args));
}

double arcTangent(const ValueList& args, std::string&)
{
    return LibM::atan(singleNumberArg("atan", args));
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

double rad2deg(const ValueList& args, std::string&)
{
    return radToDeg(singleNumberArg("rad2deg", args));
}

double deg2rad(const ValueList& args, std::string&)
{
    return degToRad(singleNumberArg("deg2rad", args));
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

double exponential(const ValueList& args, std::string&)
{
    return LibM::exp(singleNumberArg("exp", args));
}

double exponential10(const ValueList& args, std::string&)
{
    return LibM::pow(10.0, singleNumberArg("exp10", args));
}

double exponential2(const ValueList& args, std::string&)
{
    return LibM::exp2(singleNumberArg("exp2", args));
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
    {"abs", absolute},
    {"sqrt", squareRoot},
    {"sqr", square},
    {"sin", sine},
    {"cos", cosine},
    {"tan", tangent},
    {"asin", arcSine},
    {"acos", arcCosine},
    {"atan", arcTangent},
    {"atan2", arcTangent2},
    {"pi", pi},
    {"rad2deg", rad2deg},
    {"deg2rad", deg2rad},
    {"e", euler},
    {"pow", power},
    {"exp", exponential},
    {"exp10", exponential10},
    {"exp2", exponential2},
    {"log", logarithm},
    {"log10", logarithm10},
    {"log2", logarithm2},
};
} // namespace

const Family mathematics(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
