#include "Session.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace Host
{

namespace
{

std::wstring titleOf(HWND window)
{
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

BOOL CALLBACK collectVisibleTopLevel(HWND window, LPARAM context)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

// The box comes with untitled drop-shadow windows of its own; the box is the one with a title.
HWND findWindowTitled(const std::wstring& title, std::vector<std::wstring>& seen)
{
    std::vector<HWND> windows;
    EnumWindows(collectVisibleTopLevel, reinterpret_cast<LPARAM>(&windows));
    seen.clear();
    for (HWND window : windows)
    {
        seen.push_back(titleOf(window));
        if (seen.back() == title)
            return window;
    }
    return nullptr;
}

[[noreturn]] void abandon(const char* why, int code)
{
    std::printf("  FAIL [about] %s\n", why);
    std::fflush(stdout);
    ExitProcess(static_cast<UINT>(code)); // the modal loop on the main thread would never end
}

} // namespace

void runAboutCase(Session& session, Checks& checks)
{
    std::atomic<bool> returned{false};
    bool found = false;
    bool pressed = false;

    // The box is modal on this thread, so a second thread finds it and presses OK.
    std::thread closer([&] {
        using namespace std::chrono;
        const auto deadline = steady_clock::now() + seconds(30);
        std::vector<std::wstring> seen;
        HWND box = nullptr;
        while (box == nullptr && !returned && steady_clock::now() < deadline)
        {
            box = findWindowTitled(L"Morvantis", seen);
            if (box == nullptr)
                std::this_thread::sleep_for(milliseconds(50));
        }
        if (box == nullptr)
        {
            for (const auto& title : seen)
                std::printf("    visible window: \"%s\"\n", printable(title).c_str());
            abandon(returned ? "About returned before the box was found" : "no window titled Morvantis appeared", 3);
        }
        found = true;
        // Let the box settle, then press Return: it triggers the box's only button, OK.
        std::this_thread::sleep_for(milliseconds(200));
        pressed = PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001) != 0
               && PostMessageW(box, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001)) != 0;
        const auto closeDeadline = steady_clock::now() + seconds(20);
        while (!returned && steady_clock::now() < closeDeadline)
            std::this_thread::sleep_for(milliseconds(20));
        if (!returned)
            abandon("the About command did not return after OK", 4);
    });

    session.items[1].pFunc();
    returned = true;
    closer.join();

    checks.expect(found, "a window titled Morvantis appeared");
    checks.expect(pressed, "OK pressed");
    std::vector<std::wstring> seen;
    checks.expect(findWindowTitled(L"Morvantis", seen) == nullptr, "the box is gone once the command returned");
    // The message manager the box left behind must not disturb the other command.
    checks.expectEqual(session.evaluate("1+1"), L"Expr: 1+1 = 2\n", "Expression still works after About");
}

} // namespace Host
