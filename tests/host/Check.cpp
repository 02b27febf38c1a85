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
        std::printf("  FAIL [%s] %s\n", group.c_str(), what.c_str());
    }
    return ok;
}

bool Checks::equal(const std::wstring& got, const std::wstring& expected, const std::string& what)
{
    return expect(got == expected,
                  what + "\n    got:      \"" + printable(got) + "\"\n    expected: \"" + printable(expected) + "\"");
}

bool Checks::equal(double got, double expected, const std::string& what)
{
    char text[96];
    std::snprintf(text, sizeof text, ": got %.17g, expected %.17g", got, expected);
    return expect((std::isnan(got) && std::isnan(expected)) || got == expected, what + text);
}

std::string narrow(const std::wstring& wide)
{
    std::string out(3 * wide.size(), '\0'); // never more than three bytes a unit
    const int size = static_cast<int>(wide.size()), room = static_cast<int>(out.size());
    out.resize(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), room, nullptr, nullptr)));
    return out;
}

std::string printable(const std::wstring& text)
{
    // Megabyte selections come back in the status texts.
    if (text.size() > 160)
        return printable(text.substr(0, 80)) + "..." + printable(text.substr(text.size() - 80)) + " (" +
               std::to_string(text.size()) + " units)";
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

std::optional<std::wstring> readClipboardText()
{
    // Another process (or Wine's clipboard manager) may hold it for a moment.
    for (int attempt = 0; !OpenClipboard(nullptr); ++attempt, Sleep(10))
        if (attempt == 100)
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
