// The editor host: loads the plugin DLL as the editor does and runs one group of cases against it.
//   MorvantisHost.exe <group>          run a group (module, command, about)
//   MorvantisHost.exe demo <selection> evaluate a selection and print the status texts and the clipboard
//   MorvantisHost.exe differential <statements> <results> <sample> <command-results>
//                                      the DLL's half of the differential run (see tests/differential)
#include "Session.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <map>
#include <vector>

using namespace Host;

std::wstring Session::evaluate(const std::string& selection)
{
    editor.select(selection);
    runExpression();
    return editor.statuses.empty() ? std::wstring() : editor.statuses.back();
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
        FakeEditor editor;
        Session session{plugin, editor};
        plugin.setInfo(editor.handles()); // before getFuncsArray, as the editor does
        session.items = plugin.getFuncsArray(&session.itemCount);
        if (differential)
            return runDifferential(session, {args.begin() + 2, args.end()});
        if (!demo)
        {
            groups.at(args[1])(session, checks);
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
        return editor.statuses.empty() ? 1 : 0;
    }
    catch (const std::exception& e)
    {
        checks.expect(false, e.what());
        return 1;
    }
}
