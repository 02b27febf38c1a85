// Tolerances and integer conversions shared by the operators and the built-ins.
#pragma once

#include "LibM.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace Morvantis::ExpressionUtils
{

constexpr double kTolerance = 1e-13;         // ==, !=, !, &&, ||, the logic family, floor/ceil/roundup
constexpr double kConditionTolerance = 1e-6; // the condition of if, the test of defnz
constexpr double kPi = 3.141592653589793;
constexpr double kE = 2.718281828459045;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

inline double truth(bool condition)
{
    return condition ? 1.0 : 0.0;
}
inline bool isFinite(double x)
{
    return std::isfinite(x);
}
inline bool isNearZero(double x)
{
    return std::fabs(x) < kTolerance;
}
inline double radToDeg(double x)
{
    return (x * 180.0) / kPi;
}
inline double degToRad(double x)
{
    return (x * kPi) / 180.0;
}

// Truncates toward zero; NaN, infinities and values whose truncation leaves the range give INT32_MIN.
inline int32_t toInt32(double x)
{
    if (!(x > -2147483649.0 && x < 2147483648.0))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(x);
}

// Truncates toward zero; NaN, infinities and values outside the range give INT64_MIN.
inline int64_t toInt64(double x)
{
    if (!(x >= -9223372036854775808.0 && x < 9223372036854775808.0))
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(x);
}

// Rounds half away from zero, then converts as toInt32.
inline int32_t roundToInt32(double x)
{
    return toInt32(LibM::round(x));
}

// The low 32 bits of the rounded value as a signed 64-bit integer (NaN and out of range give 0).
inline uint32_t word32(double x)
{
    return static_cast<uint32_t>(static_cast<uint64_t>(toInt64(LibM::round(x))));
}

} // namespace Morvantis::ExpressionUtils
