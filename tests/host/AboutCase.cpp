#include "Session.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace Host
{

namespace
{

using namespace std::chrono;

// The box comes with untitled drop-shadow windows of its own; the box is the one with the title.
HWND visibleBox()
{
    HWND box = FindWindowW(nullptr, L"Morvantis");
    return box != nullptr && IsWindowVisible(box) ? box : nullptr;
}

template <typename Done> bool waitFor(Done done, seconds limit)
{
    for (const auto deadline = steady_clock::now() + limit; !done(); std::this_thread::sleep_for(milliseconds(20)))
        if (steady_clock::now() > deadline)
            return false;
    return true;
}

[[noreturn]] void abandon(const char* why, int code)
{
    std::printf("  FAIL [about] %s\n", why);
    ExitProcess(static_cast<UINT>(code)); // the modal loop on the main thread would never end
}

} // namespace

void runAboutCase(Session& session, Checks& checks)
{
    // The box is modal on this thread, so a second thread finds it and presses Return, which triggers
    // its only button, OK.
    std::atomic<bool> returned{false};
    std::thread closer(
        [&]
        {
            HWND box = nullptr;
            if (!waitFor([&] { return returned || (box = visibleBox()) != nullptr; }, seconds(30)) || box == nullptr)
                abandon("no window titled Morvantis appeared while About ran", 3);
            std::this_thread::sleep_for(milliseconds(200)); // let the box settle
            PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            PostMessageW(box, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001));
            if (!waitFor([&] { return returned.load(); }, seconds(20)))
                abandon("the About command did not return after OK", 4);
        });
    session.items[1].pFunc();
    returned = true;
    closer.join();

    // The message manager the box left behind must not disturb the other command.
    checks.equal(session.evaluate("1+1"), L"Expr: 1+1 = 2\n", "Expression still works after About");
}

} // namespace Host
