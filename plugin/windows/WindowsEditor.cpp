#include "WindowsEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace Morvantis::Plugin
{

namespace
{

constexpr unsigned NPPM_SETSTATUSBAR = 2048; // wParam: field, lParam: NUL-terminated wide text
constexpr uintptr_t STATUSBAR_DOC_TYPE = 0;  // the first field

} // namespace

WindowsEditor::WindowsEditor(const NppData& data) : windows_{data.editor, data.mainView, data.secondView} {}

std::string WindowsEditor::selectedText()
{
    return readSelection(*this, windows_);
}

void WindowsEditor::setStatusText(const ExpressionUtils::WideString& text)
{
    send(windows_.editor, NPPM_SETSTATUSBAR, STATUSBAR_DOC_TYPE, reinterpret_cast<intptr_t>(text.c_str()));
}

void WindowsEditor::copyToClipboard(const std::string& text)
{
    juce::SystemClipboard::copyTextToClipboard(juce::String(text));
}

intptr_t WindowsEditor::send(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return SendMessageW(static_cast<HWND>(window), message, wParam, lParam);
}

} // namespace Morvantis::Plugin
