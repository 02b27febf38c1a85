// The line formats both halves of the differential run write, so that equal results give equal lines.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

namespace Differential
{

// The 64 bits of a double as 16 hexadecimal digits.
inline std::string bitsText(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, bits, 16).ptr;
    return std::string(16 - static_cast<std::size_t>(end - digits), '0') + std::string(digits, end);
}

// UTF-16 text with every unit outside printable ASCII written as \uXXXX (a tab separates fields).
template <typename Units> std::string escapeUnits(const Units& text)
{
    std::string out;
    for (const auto unit : text)
    {
        const auto u = static_cast<uint32_t>(unit);
        if (u >= 0x20 && u < 0x7f && u != '\\')
        {
            out += static_cast<char>(u);
            continue;
        }
        static const char hex[] = "0123456789abcdef";
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hex[(u >> shift) & 0xf];
    }
    return out;
}

} // namespace Differential
