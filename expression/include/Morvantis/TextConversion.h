// Number text and UTF-8/UTF-16 conversion at the engine's edges.
#pragma once

#include <cstdint>
#include <string>

namespace Morvantis::ExpressionUtils
{

// The host's 16-bit character: wchar_t on Windows, char16_t where wchar_t is wider.
#ifdef _WIN32
using WideChar = wchar_t;
#else
using WideChar = char16_t;
#endif
static_assert(sizeof(WideChar) == 2, "wide text must be UTF-16 code units");
using WideString = std::basic_string<WideChar>;

// Fixed notation with 12 decimals, trailing zeros and a bare point removed; "---" for NaN and infinities.
std::string numberToString(double value);

void stripTrailingZeros(std::string& text);
std::string stripTrailingZerosCopy(const std::string& text);

// Bytes written (1-6), -1 above 0x7FFFFFFF, -2 when room is too small.
int32_t encodeUtf8CodePoint(char* destination, uint32_t codePoint, int32_t room);
// Bytes consumed (1-6), -1 for an invalid sequence, -2 when room is too small.
int32_t decodeUtf8CodePoint(uint32_t& codePoint, const char* source, int32_t room);

void wideToUtf8(const WideString& wide, std::string& out);
// Invalid bytes become '#'; code points above U+FFFF become surrogate pairs.
void utf8ToWide(const std::string& utf8, WideString& out);

} // namespace Morvantis::ExpressionUtils
