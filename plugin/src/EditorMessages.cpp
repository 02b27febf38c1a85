#include "EditorMessages.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace Morvantis::Plugin
{

std::string readSelection(MessageSender& sender, const EditorWindows& windows)
{
    int which = 0;
    sender.send(windows.editor, NPPM_GETCURRENTSCINTILLA, 0, reinterpret_cast<intptr_t>(&which));
    const WindowHandle view = which == 0 ? windows.mainView : windows.secondView;

    auto start = static_cast<uintptr_t>(sender.send(view, SCI_GETSELECTIONSTART, 0, 0));
    auto end = static_cast<uintptr_t>(sender.send(view, SCI_GETSELECTIONEND, 0, 0));
    if (end < start)
        std::swap(start, end);
    if (end == start)
        return {};

    // Views differ on whether the size they report counts the NUL, and with several selections
    // it exceeds end - start; the extra byte covers both.
    const intptr_t needed = sender.send(view, SCI_GETSELTEXT, 0, 0);
    const std::size_t size =
        std::max(static_cast<std::size_t>(std::max<intptr_t>(needed, 0)), static_cast<std::size_t>(end - start)) + 1;
    std::vector<char> buffer(size, '\0');
    sender.send(view, SCI_GETSELTEXT, 0, reinterpret_cast<intptr_t>(buffer.data()));
    const auto* first = buffer.data();
    return std::string(first, static_cast<std::size_t>(std::find(first, first + size, '\0') - first));
}

} // namespace Morvantis::Plugin
