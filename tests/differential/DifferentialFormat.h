// What both halves of the differential run share: the files they read and the lines they write, so
// that equal results give equal lines.
#pragma once

#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace Differential
{

// The shortest text that reads back as the same double.
inline std::string shortestText(double value)
{
    char text[32];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

// A result: its shortest text for the reader and its 64 bits for the comparison (NaN payloads too).
inline std::string resultText(double value)
{
    unsigned long long bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char hex[16];
    return shortestText(value) + ' ' + std::string(hex, std::to_chars(hex, hex + sizeof hex, bits, 16).ptr);
}

inline std::vector<std::string> readLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The status texts of one command and then the clipboard, tab-separated, with every UTF-16 unit outside
// printable ASCII written as \uXXXX.
template <typename Text> std::string commandLine(const std::vector<Text>& statuses, const Text& clipboard)
{
    std::string line;
    for (std::size_t i = 0; i <= statuses.size(); ++i)
    {
        line += i > 0 ? "\t" : "";
        for (const auto unit : i < statuses.size() ? statuses[i] : clipboard)
        {
            char escaped[8] = {static_cast<char>(unit)};
            if (unit < 0x20 || unit >= 0x7f || unit == '\\')
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(unit));
            line += escaped;
        }
    }
    return line;
}

// files: statements, their results through exprCalc, the command sample, its status texts and clipboards.
template <typename Calc, typename Command>
int evaluate(const std::vector<std::string>& files, Calc calc, Command command)
{
    std::ofstream results(files.at(1), std::ios::binary), commands(files.at(3), std::ios::binary);
    for (const std::string& statement : readLines(files.at(0)))
        results << resultText(calc(statement.c_str())) << '\n';
    for (const std::string& statement : readLines(files.at(2)))
        commands << command(statement) << '\n';
    return results && commands ? 0 : 1;
}

} // namespace Differential
