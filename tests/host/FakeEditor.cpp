#include "FakeEditor.h"

#include <cstring>
#include <stdexcept>

namespace Host
{

namespace
{

constexpr UINT nppmGetCurrentScintilla = 2028;
constexpr UINT nppmSetStatusBar = 2048;
constexpr UINT sciGetSelectionStart = 2143;
constexpr UINT sciGetSelectionEnd = 2145;
constexpr UINT sciGetSelText = 2161;

constexpr wchar_t editorClass[] = L"MorvantisHostEditor";
constexpr wchar_t viewClass[] = L"MorvantisHostView";

template <typename T>
T* stateOf(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* state = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        return state;
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND createMessageWindow(const wchar_t* className, void* state)
{
    HWND window = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), state);
    if (window == nullptr)
        throw std::runtime_error("CreateWindowExW failed: " + std::to_string(GetLastError()));
    return window;
}

} // namespace

FakeEditor::FakeEditor()
{
    WNDCLASSW editorWc{};
    editorWc.lpfnWndProc = editorProc;
    editorWc.hInstance = GetModuleHandleW(nullptr);
    editorWc.lpszClassName = editorClass;
    WNDCLASSW viewWc = editorWc;
    viewWc.lpfnWndProc = viewProc;
    viewWc.lpszClassName = viewClass;
    RegisterClassW(&editorWc);
    RegisterClassW(&viewWc);

    editor_ = createMessageWindow(editorClass, this);
    views_[0] = createMessageWindow(viewClass, &views[0]);
    views_[1] = createMessageWindow(viewClass, &views[1]);
}

FakeEditor::~FakeEditor()
{
    for (HWND window : {views_[1], views_[0], editor_})
        if (window != nullptr)
            DestroyWindow(window);
}

void FakeEditor::select(const std::string& text, int view, bool backwards)
{
    currentView = view;
    auto& state = views[view];
    const auto length = static_cast<intptr_t>(text.size());
    // Somewhere inside a document, not at its start.
    state.start = backwards ? 40 + length : 40;
    state.end = backwards ? 40 : 40 + length;
    state.selectedText = text;
    state.sizeCountsNul = true;
}

void FakeEditor::clearLog()
{
    statuses.clear();
    statusFields.clear();
    otherMessages = 0;
    views[0].selTextCalls.clear();
    views[1].selTextCalls.clear();
}

LRESULT CALLBACK FakeEditor::editorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = stateOf<FakeEditor>(window, message, lParam);
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message)
    {
    case nppmGetCurrentScintilla:
        *reinterpret_cast<int*>(lParam) = self->currentView;
        return TRUE;
    case nppmSetStatusBar:
        self->statusFields.push_back(wParam);
        self->statuses.emplace_back(reinterpret_cast<const wchar_t*>(lParam));
        return TRUE;
    default:
        if (message >= WM_USER)
            ++self->otherMessages;
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK FakeEditor::viewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* view = stateOf<ViewState>(window, message, lParam);
    if (view == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message)
    {
    case sciGetSelectionStart: return view->start;
    case sciGetSelectionEnd: return view->end;
    case sciGetSelText:
    {
        view->selTextCalls.push_back(lParam);
        const auto size = static_cast<LRESULT>(view->selectedText.size());
        if (lParam == 0)
            return view->sizeCountsNul ? size + 1 : size;
        // Like the real view: the whole text and its NUL, trusting the caller's buffer.
        std::memcpy(reinterpret_cast<char*>(lParam), view->selectedText.c_str(), view->selectedText.size() + 1);
        return size;
    }
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace Host
