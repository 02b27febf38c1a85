#include "Check.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

namespace Host
{

bool Checks::expect(bool ok, const std::string& what)
{
    ++checks_;
    if (!ok)
    {
        ++failures_;
        std::printf("  FAIL [%s] %s\n", group_.c_str(), what.c_str());
        std::fflush(stdout);
    }
    return ok;
}

bool Checks::expectEqual(const std::wstring& got, const std::wstring& expected, const std::string& what)
{
    return expect(got == expected,
                  what + "\n    got:      \"" + printable(got) + "\"\n    expected: \"" + printable(expected) + "\"");
}

bool Checks::expectEqual(double got, double expected, const std::string& what)
{
    const bool same = (std::isnan(got) && std::isnan(expected)) || got == expected;
    char text[96];
    std::snprintf(text, sizeof text, ": got %.17g, expected %.17g", got, expected);
    return expect(same, what + text);
}

std::wstring widen(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string printable(const std::wstring& text)
{
    std::string out;
    for (const wchar_t unit : text)
    {
        if (unit == L'\n')
            out += "\\n";
        else if (unit >= 0x20 && unit < 0x7F)
            out += static_cast<char>(unit);
        else
        {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
            out += escaped;
        }
    }
    return out;
}

} // namespace Host
