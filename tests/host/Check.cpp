#include "Session.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

namespace Host
{

bool Checks::expect(bool ok, const std::string& what)
{
    ++checks;
    if (!ok)
    {
        ++failures;
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
    char text[96];
    std::snprintf(text, sizeof text, ": got %.17g, expected %.17g", got, expected);
    return expect((std::isnan(got) && std::isnan(expected)) || got == expected, what + text);
}

std::wstring widen(const std::string& utf8)
{
    const int size = static_cast<int>(utf8.size());
    std::wstring out(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), static_cast<int>(out.size()));
    return out;
}

std::string narrow(const std::wstring& wide)
{
    const int size = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

std::string printable(const std::wstring& text)
{
    std::string out;
    for (const wchar_t unit : text)
    {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
        const bool plain = unit >= 0x20 && unit < 0x7F;
        out += unit == L'\n' ? std::string("\\n") : plain ? std::string(1, static_cast<char>(unit)) : escaped;
    }
    return out;
}

namespace
{

// Another process (or Wine's clipboard manager) may hold it for a moment.
bool openClipboard()
{
    for (int attempt = 0; attempt < 100; ++attempt, Sleep(10))
        if (OpenClipboard(nullptr))
            return true;
    return false;
}

} // namespace

std::optional<std::wstring> readClipboardText()
{
    if (!openClipboard())
        return std::nullopt;
    std::optional<std::wstring> text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const auto* units = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr)
    {
        text = std::wstring(units);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

} // namespace Host
