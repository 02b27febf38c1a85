#include "Session.h"

#include <malloc.h>

#include <stdexcept>

namespace Host
{

namespace
{

ScintillaEditor* current = nullptr; // one editor per process, as in the editor
constexpr UINT NPPM_GETCURRENTSCINTILLA = 2028, NPPM_SETSTATUSBAR = 2048;
constexpr UINT SCI_CLEARALL = 2004, SCI_SETCODEPAGE = 2037, SCI_GETSELECTIONSTART = 2143, SCI_GETSELECTIONEND = 2145,
               SCI_SETSEL = 2160, SCI_GETSELTEXT = 2161, SCI_SETTEXT = 2181, SCI_APPENDTEXT = 2282,
               SCI_SETSELECTION = 2572, SCI_ADDSELECTION = 2573, SCI_SETRECTANGULARSELECTIONCARET = 2588,
               SCI_SETRECTANGULARSELECTIONANCHOR = 2590;
constexpr WPARAM SC_CP_UTF8 = 65001;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return current->answer(window, message, wParam, lParam);
}

} // namespace

ScintillaEditor::ScintillaEditor() : scintilla_(LoadLibraryW(L"Scintilla.dll"))
{
    current = this;
    // Never shown: the views lay out only what a selection needs, and paint nothing. Each window's own
    // procedure stays behind ours.
    for (int i = 0; i < 3; ++i)
    {
        windows_[i] =
            CreateWindowExW(0, i == 0 ? L"Static" : L"Scintilla", L"", i == 0 ? WS_OVERLAPPEDWINDOW : WS_CHILD, 0, 0,
                            800, 600, windows_[0], nullptr, nullptr, nullptr);
        if (scintilla_ == nullptr || windows_[i] == nullptr)
            throw std::runtime_error("no editor window with Scintilla views: " + std::to_string(GetLastError()));
        procs_[i] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(windows_[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc)));
    }
    for (int view : {0, 1})
        toView(view, SCI_SETCODEPAGE, SC_CP_UTF8);
}

LRESULT ScintillaEditor::toView(int view, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(procs_[view + 1], windows_[view + 1], message, wParam, lParam);
}

void ScintillaEditor::select(const std::string& text, const std::vector<Range>& ranges, unsigned how)
{
    how_ = how;
    currentView_ = how & secondView ? 1 : 0;
    statuses.clear();
    const int view = currentView_, other = 1 - view;
    toView(other, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("9999"));
    toView(other, SCI_SETSEL, 0, 4);
    const std::string before = how & wholeDocument ? "" : "x = 1;\r\n";
    const std::string document = before + text + (how & wholeDocument ? "" : "\r\ny = 2;");
    toView(view, SCI_CLEARALL); // appended, so NUL bytes stay
    toView(view, SCI_APPENDTEXT, document.size(), reinterpret_cast<LPARAM>(document.data()));
    std::vector<Range> at = ranges.empty() ? std::vector<Range>{{0, text.size()}} : ranges;
    for (Range& range : at)
        range = {before.size() + range.first, before.size() + range.second};
    if (how & rectangle)
    {
        toView(view, SCI_SETRECTANGULARSELECTIONANCHOR, at[0].first);
        toView(view, SCI_SETRECTANGULARSELECTIONCARET, at[0].second);
    }
    else if (at.size() == 1)
        toView(view, SCI_SETSEL, at[0].first, static_cast<LPARAM>(at[0].second)); // and scrolls, as a user would
    else
        for (size_t i = 0; i < at.size(); ++i) // each one added becomes the main selection
            toView(view, i == 0 ? SCI_SETSELECTION : SCI_ADDSELECTION, at[i].second, static_cast<LPARAM>(at[i].first));
}

LRESULT ScintillaEditor::answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int view = window == windows_[1] ? 0 : window == windows_[2] ? 1 : -1;
    const WNDPROC own = procs_[view + 1];
    // The system's messages and Scintilla's own to itself lie outside the editor's and Scintilla's numbers,
    // and the host's own go straight to Scintilla: the rest come from the plugin.
    if (message < 2000 || message >= 3000)
        return CallWindowProcW(own, window, message, wParam, lParam);
    ++pluginMessages;
    const bool read = message == SCI_GETSELECTIONSTART || message == SCI_GETSELECTIONEND || message == SCI_GETSELTEXT;
    if (view < 0 && message == NPPM_GETCURRENTSCINTILLA)
        *reinterpret_cast<int*>(lParam) = currentView_;
    else if (view < 0 && message == NPPM_SETSTATUSBAR)
        statuses.push_back((wParam == 0 ? std::wstring() : L"(field " + std::to_wstring(wParam) + L") ") +
                           reinterpret_cast<const wchar_t*>(lParam));
    else if (view != currentView_ || !read)
        complaints.push_back("message " + std::to_string(message) + " to " +
                             (view < 0 ? "the editor window" : "view " + std::to_string(view)) + ", view " +
                             std::to_string(currentView_) + " being current");
    if (view < 0)
        return TRUE;
    if (how_ & startAfterEnd && (message == SCI_GETSELECTIONSTART || message == SCI_GETSELECTIONEND))
        return toView(view, message == SCI_GETSELECTIONSTART ? SCI_GETSELECTIONEND : SCI_GETSELECTIONSTART);
    if (message == SCI_GETSELTEXT)
    {
        const LRESULT needed = toView(view, SCI_GETSELTEXT); // without the NUL
        if (lParam == 0)
            return how_ & sizeCountsNul ? needed + 1 : needed;
        // The plugin's buffer comes from the C runtime's heap, which the host shares with the DLL.
        const size_t room = _msize(reinterpret_cast<void*>(lParam));
        if (room == static_cast<size_t>(-1) || room < static_cast<size_t>(needed) + 1)
        {
            complaints.push_back("SCI_GETSELTEXT into a buffer of " + std::to_string(static_cast<intptr_t>(room)) +
                                 " bytes; the view writes " + std::to_string(needed + 1));
            return 0; // not passed on: the view would write past the buffer
        }
    }
    return CallWindowProcW(own, window, message, wParam, lParam);
}

} // namespace Host
