// The C math functions of the engine: musl's libm, linked under private names into every build, so
// that the DLL and the native engine give the same bits. Use these, never <cmath>'s, for anything
// that is not exact by construction (fabs, isnan and isfinite are).
#pragma once

extern "C"
{
    double morvantis_sin(double);
    double morvantis_cos(double);
    double morvantis_tan(double);
    double morvantis_asin(double);
    double morvantis_acos(double);
    double morvantis_atan(double);
    double morvantis_atan2(double, double);
    double morvantis_exp(double);
    double morvantis_exp2(double);
    double morvantis_log(double);
    double morvantis_log2(double);
    double morvantis_log10(double);
    double morvantis_pow(double, double);
    double morvantis_fmod(double, double);
    double morvantis_round(double);
    double morvantis_trunc(double);
    double morvantis_floor(double);
    double morvantis_ceil(double);
    double morvantis_sqrt(double);
}

namespace Morvantis::LibM
{
inline double sin(double x)
{
    return morvantis_sin(x);
}
inline double cos(double x)
{
    return morvantis_cos(x);
}
inline double tan(double x)
{
    return morvantis_tan(x);
}
inline double asin(double x)
{
    return morvantis_asin(x);
}
inline double acos(double x)
{
    return morvantis_acos(x);
}
inline double atan(double x)
{
    return morvantis_atan(x);
}
inline double atan2(double y, double x)
{
    return morvantis_atan2(y, x);
}
inline double exp(double x)
{
    return morvantis_exp(x);
}
inline double exp2(double x)
{
    return morvantis_exp2(x);
}
inline double log(double x)
{
    return morvantis_log(x);
}
inline double log2(double x)
{
    return morvantis_log2(x);
}
inline double log10(double x)
{
    return morvantis_log10(x);
}
inline double pow(double x, double y)
{
    return morvantis_pow(x, y);
}
inline double fmod(double x, double y)
{
    return morvantis_fmod(x, y);
}
inline double round(double x)
{
    return morvantis_round(x);
}
inline double trunc(double x)
{
    return morvantis_trunc(x);
}
inline double floor(double x)
{
    return morvantis_floor(x);
}
inline double ceil(double x)
{
    return morvantis_ceil(x);
}
inline double sqrt(double x)
{
    return morvantis_sqrt(x);
}
} // namespace Morvantis::LibM
