// Reading the selection through the editor's and its Scintilla views' window messages.
#pragma once

#include <cstdint>
#include <string>

namespace Morvantis::Plugin
{

// To the editor's main window.
constexpr unsigned NPPM_GETCURRENTSCINTILLA = 2028; // lParam: int* receiving 0 (main view) or 1

// To a view.
constexpr unsigned SCI_GETSELECTIONSTART = 2143;
constexpr unsigned SCI_GETSELECTIONEND = 2145;
constexpr unsigned SCI_GETSELTEXT = 2161; // lParam 0: size the text needs; else char* receiving it

using WindowHandle = void*;

struct EditorWindows
{
    WindowHandle editor = nullptr;
    WindowHandle mainView = nullptr;
    WindowHandle secondView = nullptr;
};

// Synchronous window messages (SendMessageW on Windows).
class MessageSender
{
  public:
    virtual intptr_t send(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;

  protected:
    ~MessageSender() = default;
};

// The selected bytes of the current view up to the first NUL; empty when the main selection is empty.
// With several selections the view's text can be longer than the main one: it is read whole.
std::string readSelection(MessageSender& sender, const EditorWindows& windows);

} // namespace Morvantis::Plugin
