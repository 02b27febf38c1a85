// What the commands need from the editor; the Windows layer implements it with window messages.
#pragma once

#include <Morvantis/TextConversion.h>

#include <string>

namespace Morvantis::Plugin
{

class Editor
{
  public:
    // The bytes selected in the current view up to the first NUL; empty when nothing is selected.
    virtual std::string selectedText() = 0;
    // First field of the status bar.
    virtual void setStatusText(const ExpressionUtils::WideString& text) = 0;
    // Text in UTF-8; the clipboard itself holds UTF-16.
    virtual void copyToClipboard(const std::string& text) = 0;

  protected:
    ~Editor() = default;
};

} // namespace Morvantis::Plugin
