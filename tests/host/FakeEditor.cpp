#include "FakeEditor.h"

#include <cstring>
#include <stdexcept>

namespace Host
{

namespace
{

FakeEditor* current = nullptr; // one editor per process, as in the editor
constexpr UINT NPPM_GETCURRENTSCINTILLA = 2028, NPPM_SETSTATUSBAR = 2048;
constexpr UINT SCI_GETSELECTIONSTART = 2143, SCI_GETSELECTIONEND = 2145, SCI_GETSELTEXT = 2161;

} // namespace

FakeEditor::FakeEditor()
{
    current = this;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    { return current->answer(window, message, wParam, lParam); };
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MorvantisHostEditor";
    RegisterClassW(&windowClass);
    for (HWND& window : windows_)
        if ((window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr)) == nullptr)
            throw std::runtime_error("CreateWindowExW failed: " + std::to_string(GetLastError()));
}

FakeEditor::~FakeEditor()
{
    for (HWND window : windows_)
        DestroyWindow(window);
}

void FakeEditor::select(const std::string& text, int view, bool backwards)
{
    currentView = view;
    statuses.clear();
    // Somewhere inside a document, not at its start.
    const intptr_t from = 40, to = from + static_cast<intptr_t>(text.size());
    views[view] = {backwards ? to : from, backwards ? from : to, text};
    views[1 - view] = {0, 4, "9999"};
}

LRESULT FakeEditor::answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ViewState* view = window == windows_[1] ? &views[0] : window == windows_[2] ? &views[1] : nullptr;
    const auto size = view ? static_cast<LRESULT>(view->selectedText.size()) : 0;
    if (window == windows_[0] && message == NPPM_GETCURRENTSCINTILLA)
        *reinterpret_cast<int*>(lParam) = currentView;
    else if (window == windows_[0] && message == NPPM_SETSTATUSBAR)
    {
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        statuses.push_back(wParam == 0 ? text : L"(field " + std::to_wstring(wParam) + L") " + text);
    }
    else if (view && message == SCI_GETSELECTIONSTART)
        return view->start;
    else if (view && message == SCI_GETSELECTIONEND)
        return view->end;
    else if (view && message == SCI_GETSELTEXT && lParam == 0)
        return size; // views differ on whether it counts the NUL: this one leaves it out
    else if (view && message == SCI_GETSELTEXT)
    {
        // Like the real view: the whole text and its NUL, trusting the caller's buffer.
        std::memcpy(reinterpret_cast<char*>(lParam), view->selectedText.c_str(), view->selectedText.size() + 1);
        return size;
    }
    else
        return DefWindowProcW(window, message, wParam, lParam);
    return TRUE;
}

} // namespace Host
