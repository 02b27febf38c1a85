// The editor host: loads the plugin DLL as the editor does and runs one group of cases against it.
//   MorvantisHost.exe <group>          run a group (module, command, about)
//   MorvantisHost.exe demo <selection> evaluate a selection and print the status texts and the clipboard
//   MorvantisHost.exe differential <statements> <results> <sample> <command-results>
//                                      the DLL's half of the differential run (see tests/differential)
#include "../differential/DifferentialFormat.h"
#include "Session.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <map>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace Host;

bool Host::Checks::expect(bool ok, const std::string& what)
{
    ++checks;
    if (!ok)
    {
        ++failures;
        std::printf("  FAIL [%s] %s\n", group.c_str(), what.c_str());
    }
    return ok;
}

bool Host::Checks::equal(const std::wstring& got, const std::wstring& expected, const std::string& what)
{
    return expect(got == expected,
                  what + "\n    got:      \"" + printable(got) + "\"\n    expected: \"" + printable(expected) + "\"");
}

bool Host::Checks::equal(double got, double expected, const std::string& what)
{
    char text[96];
    std::snprintf(text, sizeof text, ": got %.17g, expected %.17g", got, expected);
    return expect((std::isnan(got) && std::isnan(expected)) || got == expected, what + text);
}

std::string Host::narrow(const std::wstring& wide)
{
    std::string out(3 * wide.size(), '\0'); // never more than three bytes a unit
    const int size = static_cast<int>(wide.size()), room = static_cast<int>(out.size());
    out.resize(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), room, nullptr, nullptr)));
    return out;
}

std::string Host::printable(const std::wstring& text)
{
    // Megabyte selections come back in the status texts.
    if (text.size() > 160)
        return printable(text.substr(0, 80)) + "..." + printable(text.substr(text.size() - 80)) + " (" +
               std::to_string(text.size()) + " units)";
    std::string out;
    for (const wchar_t unit : text)
    {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
        const bool plain = unit >= 0x20 && unit < 0x7F;
        out += unit == L'\n' ? std::string("\\n") : plain ? std::string(1, static_cast<char>(unit)) : escaped;
    }
    return out;
}

std::optional<std::wstring> Host::readClipboardText()
{
    // Another process (or Wine's clipboard manager) may hold it for a moment.
    for (int attempt = 0; !OpenClipboard(nullptr); ++attempt, Sleep(10))
        if (attempt == 100)
            return std::nullopt;
    std::optional<std::wstring> text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const auto* units = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr)
    {
        text = std::wstring(units);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

namespace
{

template <typename F> void bind(HMODULE module, const char* name, F& function)
{
    const FARPROC address = GetProcAddress(module, name);
    if (address == nullptr)
        throw std::runtime_error(std::string(name) + " is not exported");
    function = reinterpret_cast<F>(reinterpret_cast<void*>(address));
}

std::wstring pathBesideHost()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.erase(path.find_last_of(L"\\/") + 1) + L"plugins\\MorvantisNpp64\\MorvantisNpp64.dll";
}

} // namespace

LoadedPlugin::LoadedPlugin() : path(pathBesideHost()), module(LoadLibraryW(path.c_str()))
{
    if (module == nullptr)
        throw std::runtime_error("LoadLibraryW failed: " + std::to_string(GetLastError()));
    bind(module, "exprCalc", exprCalc);
    bind(module, "exprCalcW", exprCalcW);
    bind(module, "getFuncsArray", getFuncsArray);
    bind(module, "getName", getName);
    bind(module, "isUnicode", isUnicode);
    bind(module, "messageProc", messageProc);
    bind(module, "setInfo", setInfo);
}

std::wstring Session::run(int item, const std::string& name, bool boxExpected)
{
    // The command blocks this thread (a modal box for good), so another one watches it: for a titled window
    // of this thread's that shows, and for the time it takes.
    const DWORD thread = GetCurrentThreadId();
    const HANDLE returned = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::wstring boxTitle;
    std::thread watchdog(
        [&]
        {
            for (int waited = 0; WaitForSingleObject(returned, 20) == WAIT_TIMEOUT; waited += 20)
            {
                wchar_t title[64] = {};
                HWND shown = nullptr; // titled: a box comes with untitled drop-shadow windows of its own
                while ((shown = FindWindowExW(nullptr, shown, nullptr, nullptr)) != nullptr &&
                       (GetWindowThreadProcessId(shown, nullptr) != thread || !IsWindowVisible(shown) ||
                        InternalGetWindowText(shown, title, 64) == 0)) // asks the blocked thread nothing
                    ;
                if (shown != nullptr && boxExpected && boxTitle.empty())
                {
                    boxTitle = title;
                    Sleep(200); // let the box settle
                    PostMessageW(shown, WM_KEYDOWN, VK_RETURN, 0x001C0001);
                    PostMessageW(shown, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001));
                }
                else if ((shown != nullptr && !boxExpected) || waited > 10000)
                {
                    std::printf("  FAIL %s: %s\n", name.c_str(),
                                waited > 10000 ? "did not return within 10 s"
                                               : ("opened a window titled \"" + narrow(title) + "\"").c_str());
                    TerminateProcess(GetCurrentProcess(), 3);
                }
            }
        });
    items[item].pFunc();
    SetEvent(returned);
    watchdog.join();
    CloseHandle(returned);
    return boxTitle;
}

std::wstring Session::evaluate(const std::string& selection)
{
    editor.select(selection);
    run(0, selection);
    return editor.statuses.empty() ? std::wstring() : editor.statuses.back();
}

// The DLL's half of the differential run: the native engine's statements (files[0]) through exprCalc into
// files[1], the bits of each result, and a sample (files[2]) through the "Expression" command into files[3],
// the status texts and the clipboard.
static int runDifferential(Session& session, const std::vector<std::string>& files)
{
    return Differential::evaluate(files, session.plugin.exprCalc,
                                  [&session](const std::string& statement)
                                  {
                                      session.evaluate(statement);
                                      return Differential::commandLine(session.editor.statuses,
                                                                       readClipboardText().value_or(L"(none)"));
                                  });
}

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0); // a crash still shows everything printed before it
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(narrow(argv[i]));
    const std::map<std::string, void (*)(Session&, Checks&)> groups = {
        {"module", runModuleCases}, {"command", runCommandCases}, {"about", runAboutCase}};
    const bool demo = args.size() == 3 && args[1] == "demo";
    const bool differential = args.size() == 6 && args[1] == "differential";
    if (args.size() < 2 || (!demo && !differential && groups.count(args[1]) == 0))
    {
        std::fprintf(stderr, "usage: MorvantisHost <group> | demo <selection> | differential <files...>\n");
        return 2;
    }
    Checks checks{args[1]};
    try
    {
        using Clock = std::chrono::steady_clock;
        const auto since = [](Clock::time_point start)
        { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); };
        auto start = Clock::now();
        LoadedPlugin plugin;
        const double loadTime = since(start);
        ScintillaEditor editor;
        Session session{plugin, editor};
        plugin.setInfo(editor.handles()); // before getFuncsArray, as the editor does
        session.items = plugin.getFuncsArray(&session.itemCount);
        if (differential)
            return runDifferential(session, {args.begin() + 2, args.end()});
        if (!demo)
        {
            groups.at(args[1])(session, checks);
            for (const std::string& complaint : editor.complaints) // the command cases check theirs one by one
                checks.expect(false, complaint);
            std::printf("%-8s %d checks, %d failed\n", args[1].c_str(), checks.checks, checks.failures);
            return checks.failures == 0 ? 0 : 1;
        }
        start = Clock::now();
        session.evaluate(args[2]);
        const double commandTime = since(start);
        std::printf("selection:  %s\n", args[2].c_str());
        for (const auto& status : editor.statuses)
            std::printf("status bar: %s\n", printable(status).c_str());
        const auto clipboard = readClipboardText();
        std::printf("clipboard:  %s\n", clipboard ? printable(*clipboard).c_str() : "(none)");
        std::printf("times:      loading the DLL %.1f ms, first \"Expression\" command %.1f ms\n", loadTime,
                    commandTime);
        std::printf("messages:   %d from the plugin to the editor and its views\n", editor.pluginMessages);
        return editor.statuses.empty() ? 1 : 0;
    }
    catch (const std::exception& e)
    {
        checks.expect(false, e.what());
        return 1;
    }
}
