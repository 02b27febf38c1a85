// The system clipboard's Unicode text, as another program sees it.
#pragma once

#include <optional>
#include <string>

namespace Host
{

std::optional<std::wstring> readClipboardText();
bool writeClipboardText(const std::wstring& text);

} // namespace Host
