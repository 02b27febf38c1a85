// The editor's and its Scintilla views' window messages, and reading the selection through them.
#pragma once

#include <cstdint>
#include <string>

namespace Morvantis::Plugin
{

// To the editor's main window.
constexpr unsigned NPPM_GETCURRENTSCINTILLA = 2028; // lParam: int* receiving 0 (main view) or 1
constexpr unsigned NPPM_SETSTATUSBAR = 2048;        // wParam: field, lParam: NUL-terminated wide text
constexpr uintptr_t STATUSBAR_DOC_TYPE = 0;         // the first field

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
