// The editor as the commands see it, reached through window messages and the system clipboard.
#pragma once

#include "Editor.h"
#include "EditorMessages.h"
#include "NppInterface.h"

namespace Morvantis::Plugin
{

class WindowsEditor final : public Editor, private MessageSender
{
  public:
    explicit WindowsEditor(const NppData& data);

    std::string selectedText() override;
    void setStatusText(const ExpressionUtils::WideString& text) override;
    void copyToClipboard(const std::string& text) override;

  private:
    intptr_t send(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) override;

    EditorWindows windows_;
};

} // namespace Morvantis::Plugin
