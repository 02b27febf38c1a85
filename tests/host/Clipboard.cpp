#include "Clipboard.h"

#include <windows.h>

#include <cstring>

namespace Host
{

namespace
{

// Another process (or Wine's clipboard manager) may hold it for a moment.
bool openClipboard()
{
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(10);
    }
    return false;
}

} // namespace

std::optional<std::wstring> readClipboardText()
{
    if (!openClipboard())
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
    {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data)))
        {
            text = std::wstring(units);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool writeClipboardText(const std::wstring& text)
{
    if (!openClipboard())
        return false;
    bool written = false;
    if (EmptyClipboard())
    {
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes))
        {
            std::memcpy(GlobalLock(memory), text.c_str(), bytes);
            GlobalUnlock(memory);
            written = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            if (!written)
                GlobalFree(memory);
        }
    }
    CloseClipboard();
    return written;
}

} // namespace Host
