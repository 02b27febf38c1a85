// The editor host: loads the plugin DLL as the editor does and runs one group of cases against it.
//   MorvantisHost.exe <group>          run a group (module, command, numbers, exports, deep, url, about, unload)
//   MorvantisHost.exe demo <selection> evaluate a selection and print the status texts and the clipboard
#include "Clipboard.h"
#include "Session.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <map>
#include <shellapi.h>
#include <vector>

using namespace Host;

namespace
{

std::vector<std::wstring> arguments()
{
    int count = 0;
    wchar_t** list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> out(list, list + count);
    LocalFree(list);
    return out;
}

int demo(Session& session, const std::string& selection)
{
    session.editor.select(selection);
    session.runExpression();
    std::printf("selection:  %s\n", selection.c_str());
    for (const auto& status : session.editor.statuses)
        std::printf("status bar: %s\n", printable(status).c_str());
    const auto clipboard = readClipboardText();
    std::printf("clipboard:  %s\n", clipboard ? printable(*clipboard).c_str() : "(none)");
    return session.editor.statuses.empty() ? 1 : 0;
}

} // namespace

std::wstring Session::evaluate(const std::string& selection)
{
    editor.clearLog();
    editor.select(selection);
    runExpression();
    return editor.statuses.empty() ? std::wstring() : editor.statuses.back();
}

int main()
{
    const auto args = arguments();
    if (args.size() < 2)
    {
        std::fprintf(stderr, "usage: MorvantisHost <group> | demo <selection>\n");
        return 2;
    }
    const std::string group = narrow(args[1]);
    const std::map<std::string, void (*)(Session&, Checks&)> groups = {
        {"module", runModuleCases},   {"command", runCommandCases}, {"numbers", runNumberCases},
        {"exports", runExportCases},  {"deep", runDeepInputCases},  {"url", runUrlCases},
        {"about", runAboutCase},      {"unload", runUnloadCase},
    };
    try
    {
        LoadedPlugin plugin(pluginPathBesideHost());
        FakeEditor editor;
        Session session{plugin, editor};
        plugin.setInfo(editor.handles());
        int count = 0;
        session.items = plugin.getFuncsArray(&count);

        if (group == "demo" && args.size() == 3)
            return demo(session, narrow(args[2]));
        const auto found = groups.find(group);
        if (found == groups.end())
        {
            std::fprintf(stderr, "unknown group %s\n", group.c_str());
            return 2;
        }
        Checks checks(group);
        found->second(session, checks);
        std::printf("%-8s %d checks, %d failed\n", group.c_str(), checks.checks(), checks.failures());
        std::fflush(stdout);
        return checks.failures() == 0 ? 0 : 1;
    }
    catch (const std::exception& e)
    {
        std::printf("  FAIL [%s] %s\n", group.c_str(), e.what());
        return 1;
    }
}
