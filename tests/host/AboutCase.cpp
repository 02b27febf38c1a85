#include "Session.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace Host
{

namespace
{

// The box comes with untitled drop-shadow windows of its own; the box is the one with the title.
HWND visibleBox()
{
    HWND box = FindWindowW(nullptr, L"Morvantis");
    return box != nullptr && IsWindowVisible(box) ? box : nullptr;
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
    using namespace std::chrono;
    std::atomic<bool> returned{false};
    bool pressed = false;

    // The box is modal on this thread, so a second thread finds it and presses OK.
    std::thread closer(
        [&]
        {
            HWND box = nullptr;
            for (auto deadline = steady_clock::now() + seconds(30);
                 !box && !returned && steady_clock::now() < deadline;)
                if ((box = visibleBox()) == nullptr)
                    std::this_thread::sleep_for(milliseconds(50));
            if (box == nullptr)
                abandon(returned ? "About returned before the box was found" : "no window titled Morvantis appeared",
                        3);
            // Let the box settle, then press Return: it triggers the box's only button, OK.
            std::this_thread::sleep_for(milliseconds(200));
            pressed = PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001) != 0 &&
                      PostMessageW(box, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001)) != 0;
            for (auto deadline = steady_clock::now() + seconds(20); !returned && steady_clock::now() < deadline;)
                std::this_thread::sleep_for(milliseconds(20));
            if (!returned)
                abandon("the About command did not return after OK", 4);
        });

    session.items[1].pFunc();
    returned = true;
    closer.join();

    checks.expect(pressed, "a window titled Morvantis appeared and OK was pressed");
    checks.expect(visibleBox() == nullptr, "the box is gone once the command returned");
    // The message manager the box left behind must not disturb the other command.
    checks.expectEqual(session.evaluate("1+1"), L"Expr: 1+1 = 2\n", "Expression still works after About");
}

} // namespace Host
