// The editor host: loads the plugin DLL as the editor does and runs one group of cases against it.
//   MorvantisHost.exe <group>          run a group (module, command, numbers, exports, deep, hostile, url, about,
//                                      unload)
//   MorvantisHost.exe demo <selection> evaluate a selection and print the status texts and the clipboard
//   MorvantisHost.exe differential <statements> <results> <sample> <command-results>
//                                      the DLL's half of the differential run (see tests/differential)
#include "Session.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <map>
#include <shellapi.h>
#include <vector>

using namespace Host;

std::wstring Session::evaluate(const std::string& selection)
{
    editor.select(selection);
    runExpression();
    return editor.statuses.empty() ? std::wstring() : editor.statuses.back();
}

int main()
{
    int count = 0;
    wchar_t** list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i)
        args.push_back(narrow(list[i]));
    LocalFree(list);
    const std::map<std::string, void (*)(Session&, Checks&)> groups = {
        {"module", runModuleCases},  {"command", runCommandCases}, {"numbers", runNumberCases},
        {"exports", runExportCases}, {"deep", runDeepInputCases},  {"url", runUrlCases},
        {"about", runAboutCase},     {"unload", runUnloadCase},    {"hostile", runHostileCases},
    };
    const bool demo = args.size() == 3 && args[1] == "demo";
    const bool differential = args.size() == 6 && args[1] == "differential";
    if (args.size() < 2 || (!demo && !differential && groups.count(args[1]) == 0))
    {
        std::fprintf(stderr, "usage: MorvantisHost <group> | demo <selection> | differential <files...>\n");
        return 2;
    }
    const std::string& group = args[1];
    try
    {
        using Clock = std::chrono::steady_clock;
        const auto milliseconds = [](Clock::duration d)
        { return std::chrono::duration<double, std::milli>(d).count(); };
        const auto loadStart = Clock::now();
        LoadedPlugin plugin(pluginPathBesideHost());
        const double loadTime = milliseconds(Clock::now() - loadStart);
        FakeEditor editor;
        Session session{plugin, editor};
        plugin.setInfo(editor.handles());
        session.items = plugin.getFuncsArray(&count);

        if (demo)
        {
            const auto commandStart = Clock::now();
            session.evaluate(args[2]);
            const double commandTime = milliseconds(Clock::now() - commandStart);
            std::printf("selection:  %s\n", args[2].c_str());
            for (const auto& status : editor.statuses)
                std::printf("status bar: %s\n", printable(status).c_str());
            const auto clipboard = readClipboardText();
            std::printf("clipboard:  %s\n", clipboard ? printable(*clipboard).c_str() : "(none)");
            std::printf("times:      loading the DLL %.1f ms, first \"Expression\" command %.1f ms\n", loadTime,
                        commandTime);
            return editor.statuses.empty() ? 1 : 0;
        }
        if (differential)
            return runDifferential(session, {args.begin() + 2, args.end()});
        Checks checks(group);
        groups.at(group)(session, checks);
        std::printf("%-8s %d checks, %d failed\n", group.c_str(), checks.checks, checks.failures);
        std::fflush(stdout);
        return checks.failures == 0 ? 0 : 1;
    }
    catch (const std::exception& e)
    {
        std::printf("  FAIL [%s] %s\n", group.c_str(), e.what());
        return 1;
    }
}
