#include "FakeEditor.h"

#include <cstring>
#include <stdexcept>

namespace Host
{

FakeEditor::FakeEditor()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MorvantisHostEditor";
    RegisterClassW(&windowClass);
    for (HWND& window : windows_)
    {
        window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, this);
        if (window == nullptr)
            throw std::runtime_error("CreateWindowExW failed: " + std::to_string(GetLastError()));
    }
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
    views[view] = {backwards ? to : from, backwards ? from : to, text, true, {}};
    views[1 - view].selTextCalls.clear();
}

LRESULT CALLBACK FakeEditor::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<FakeEditor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->answer(window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FakeEditor::answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window == windows_[0])
    {
        if (message == 2028) // NPPM_GETCURRENTSCINTILLA
        {
            *reinterpret_cast<int*>(lParam) = currentView;
            return TRUE;
        }
        if (message == 2048) // NPPM_SETSTATUSBAR
        {
            const auto* text = reinterpret_cast<const wchar_t*>(lParam);
            statuses.push_back(wParam == 0 ? text : L"(field " + std::to_wstring(wParam) + L") " + text);
            return TRUE;
        }
    }
    ViewState* view = window == windows_[1] ? &views[0] : window == windows_[2] ? &views[1] : nullptr;
    if (view == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message)
    {
    case 2143:
        return view->start; // SCI_GETSELECTIONSTART
    case 2145:
        return view->end; // SCI_GETSELECTIONEND
    case 2161:            // SCI_GETSELTEXT
    {
        view->selTextCalls.push_back(lParam);
        const auto size = static_cast<LRESULT>(view->selectedText.size());
        if (lParam == 0)
            return view->sizeCountsNul ? size + 1 : size;
        // Like the real view: the whole text and its NUL, trusting the caller's buffer.
        std::memcpy(reinterpret_cast<char*>(lParam), view->selectedText.c_str(), view->selectedText.size() + 1);
        return size;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace Host
