// Rounding, dead bands, operations on 32-bit words, truth-value logic and comparisons.
#include "../Builtins.h"
#include "../Numeric.h"

#include <cmath>
#include <cstdint>
#include <functional>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{

struct Pair
{
    double first;
    double second;
};

Pair binaryArgs(const char* f, const ValueList& args)
{
    expectCount(f, args, 2);
    Pair p{};
    p.first = numberArg(f, args, 0);
    p.second = numberArg(f, args, 1);
    return p;
}

// ---- rounding ----

double roundToDecimals(double x, int32_t n)
{
    // 100 exactly, so that the common two-decimal case does not depend on pow.
    const double scale = n == 2 ? 100.0 : LibM::pow(10.0, static_cast<double>(n));
    if (scale == 0.0 || std::isinf(scale))
        return kNaN;
    return LibM::round(x * scale) / scale;
}

double roundAwayFromZero(double x)
{
    if (x < 0.0)
        return LibM::floor(x + kTolerance);
    return LibM::ceil(x - kTolerance); // NaN goes this way too
}

double floorTolerant(double x)
{
    return LibM::floor(x + kTolerance);
}

double ceilTolerant(double x)
{
    return LibM::ceil(x - kTolerance);
}

double asInt32(double x)
{
    return static_cast<double>(toInt32(x));
}

double roundValue(const ValueList& args, std::string&)
{
    expectAtLeast("round", args, 1);
    expectAtMost("round", args, 2);
    const double x = numberArg("round", args, 0);
    if (args.size() == 1)
        return static_cast<double>(roundToInt32(x));
    return roundToDecimals(x, roundToInt32(numberArg("round", args, 1)));
}

// ---- dead bands ----

// A dead band around 0, the span dead..max stretched onto 0..max, then a logarithmic curve
// through (max, 1) whose bend k sets. Infinities and NaN from the divisions pick the fallbacks.
double centerEx(double v, double dead, double max, double k)
{
    if (dead > std::fabs(v))
        return 0.0;
    double x = 0.0;
    if (v > 0.0)
        x = v - dead;
    else if (v < 0.0)
        x = v + dead;
    else
        return 0.0;
    x = x * (max / (max - dead));
    if (x == 0.0)
        return x;
    const double r = max / k;
    const double a = k / (r - 2.0);
    if (!isFinite(a))
        return x; // k == max / 2: the straight line
    const double half = LibM::log(r - 1.0);
    const double b = half + half;
    if (!isFinite(b))
        return 0.0;
    const double sign = x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
    return LibM::log(std::fabs(x) / a + 1.0) / b * sign;
}

// The edge itself lies outside the band; a NaN on either side leaves v alone.
double centerDeadBand(double v, double dead)
{
    return dead > std::fabs(v) ? 0.0 : v;
}

double centerExValue(const ValueList& args, std::string&)
{
    expectCount("centerex", args, 4);
    const double v = numberArg("centerex", args, 0);
    const double dead = numberArg("centerex", args, 1);
    const double max = numberArg("centerex", args, 2);
    const double k = numberArg("centerex", args, 3);
    return centerEx(v, dead, max, k);
}

double centerValue(const ValueList& args, std::string&)
{
    const Pair p = binaryArgs("center", args);
    return centerDeadBand(p.first, p.second);
}

// ---- 32-bit words ----

double fromWord(uint32_t w)
{
    return static_cast<double>(w);
}

// Only the low five bits count: the shift is modulo 32 in two's complement.
uint32_t shiftCount(double n)
{
    return word32(n) & 31u;
}

// The first argument carries a numbered message, the later ones are checked as they are folded in.
template <typename Op> uint32_t foldWords(const char* f, const ValueList& args, Op op)
{
    expectAtLeast(f, args, 1);
    uint32_t acc = word32(numberArg(f, args, 0));
    for (std::size_t i = 1; i < args.size(); ++i)
        acc = op(acc, word32(variadicNumberArg(f, args, i)));
    return acc;
}

double bitAnd(const ValueList& args, std::string&)
{
    return fromWord(foldWords("and", args, std::bit_and<uint32_t>()));
}

double bitOr(const ValueList& args, std::string&)
{
    return fromWord(foldWords("or", args, std::bit_or<uint32_t>()));
}

double bitXor(const ValueList& args, std::string&)
{
    return fromWord(foldWords("xor", args, std::bit_xor<uint32_t>()));
}

double bitNand(const ValueList& args, std::string&)
{
    return fromWord(~foldWords("nand", args, std::bit_and<uint32_t>()));
}

double bitNor(const ValueList& args, std::string&)
{
    return fromWord(~foldWords("nor", args, std::bit_or<uint32_t>()));
}

double bitXnor(const ValueList& args, std::string&)
{
    return fromWord(~foldWords("xnor", args, std::bit_xor<uint32_t>()));
}

double shiftLeft(const ValueList& args, std::string&)
{
    const Pair p = binaryArgs("shl", args);
    return fromWord(word32(p.first) << shiftCount(p.second));
}

double shiftRight(const ValueList& args, std::string&)
{
    const Pair p = binaryArgs("shr", args);
    return fromWord(word32(p.first) >> shiftCount(p.second));
}

// ---- truth values ----

// NaN is not true here, unlike for && and || and the condition of if.
bool isTrue(double x)
{
    return std::fabs(x) >= kTolerance;
}

template <typename Op> double logic(const char* f, const ValueList& args, Op op)
{
    const Pair p = binaryArgs(f, args);
    return truth(op(isTrue(p.first), isTrue(p.second)));
}

double logicAnd(const ValueList& args, std::string&)
{
    return logic("land", args, [](bool a, bool b) { return a && b; });
}

double logicOr(const ValueList& args, std::string&)
{
    return logic("lor", args, [](bool a, bool b) { return a || b; });
}

double logicXor(const ValueList& args, std::string&)
{
    return logic("lxor", args, [](bool a, bool b) { return a != b; });
}

double logicNand(const ValueList& args, std::string&)
{
    return logic("lnand", args, [](bool a, bool b) { return !(a && b); });
}

double logicNor(const ValueList& args, std::string&)
{
    return logic("lnor", args, [](bool a, bool b) { return !(a || b); });
}

double logicXnor(const ValueList& args, std::string&)
{
    return logic("lxnor", args, [](bool a, bool b) { return a == b; });
}

// ---- comparisons ----

// Exact equality first, so that two equal infinities compare equal.
bool nearlyEqual(double a, double b)
{
    return a == b || std::fabs(a - b) < kTolerance;
}

template <typename Op> double compare(const char* f, const ValueList& args, Op op)
{
    const Pair p = binaryArgs(f, args);
    return truth(op(p.first, p.second));
}

double equal(const ValueList& args, std::string&)
{
    return compare("eq", args, nearlyEqual);
}

double notEqual(const ValueList& args, std::string&)
{
    return compare("ne", args, [](double a, double b) { return !nearlyEqual(a, b); });
}

double greater(const ValueList& args, std::string&)
{
    return compare("gt", args, std::greater<double>());
}

double less(const ValueList& args, std::string&)
{
    return compare("lt", args, std::less<double>());
}

double greaterEqual(const ValueList& args, std::string&)
{
    return compare("ge", args, std::greater_equal<double>());
}

double lessEqual(const ValueList& args, std::string&)
{
    return compare("le", args, std::less_equal<double>());
}

constexpr Entry kEntries[] = {
    {"round", roundValue},
    {"roundup", nullptr, [](double x) { return asInt32(roundAwayFromZero(x)); }},
    {"floor", nullptr, [](double x) { return asInt32(floorTolerant(x)); }},
    {"ceil", nullptr, [](double x) { return asInt32(ceilTolerant(x)); }},
    {"trunc", nullptr, [](double x) { return asInt32(LibM::trunc(x)); }},
    {"centerex", centerExValue},
    {"center", centerValue},
    {"not", nullptr, [](double x) { return fromWord(~word32(x)); }},
    {"and", bitAnd},
    {"or", bitOr},
    {"xor", bitXor},
    {"nand", bitNand},
    {"nor", bitNor},
    {"xnor", bitXnor},
    {"shl", shiftLeft},
    {"shr", shiftRight},
    {"lnot", nullptr, [](double x) { return truth(isNearZero(x)); }},
    {"land", logicAnd},
    {"lor", logicOr},
    {"lxor", logicXor},
    {"lnand", logicNand},
    {"lnor", logicNor},
    {"lxnor", logicXnor},
    {"eq", equal},
    {"ne", notEqual},
    {"gt", greater},
    {"lt", less},
    {"ge", greaterEqual},
    {"le", lessEqual},
};
} // namespace

const Family roundingAndLogic(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
