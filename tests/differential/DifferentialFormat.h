// The files both halves of the differential run read and the lines they write, so that equal results
// give equal lines.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

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

// The lines of a file, each without its line feed.
inline std::vector<std::string> readLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
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
