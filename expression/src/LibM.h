// The C math functions of the engine: musl's libm, linked under private names into every build, so
// that the DLL and the native engine give the same bits. Use these, never <cmath>'s, for anything
// that is not exact by construction (fabs, isnan and isfinite are). Each name is bound to its
// library symbol.
#pragma once

namespace Morvantis::LibM
{
double sin(double) __asm__("morvantis_sin");
double cos(double) __asm__("morvantis_cos");
double tan(double) __asm__("morvantis_tan");
double asin(double) __asm__("morvantis_asin");
double acos(double) __asm__("morvantis_acos");
double atan(double) __asm__("morvantis_atan");
double atan2(double y, double x) __asm__("morvantis_atan2");
double exp(double) __asm__("morvantis_exp");
double exp2(double) __asm__("morvantis_exp2");
double log(double) __asm__("morvantis_log");
double log2(double) __asm__("morvantis_log2");
double log10(double) __asm__("morvantis_log10");
double pow(double x, double y) __asm__("morvantis_pow");
double fmod(double x, double y) __asm__("morvantis_fmod");
double round(double) __asm__("morvantis_round");
double trunc(double) __asm__("morvantis_trunc");
double floor(double) __asm__("morvantis_floor");
double ceil(double) __asm__("morvantis_ceil");
double sqrt(double) __asm__("morvantis_sqrt");
} // namespace Morvantis::LibM
