#include "Session.h"

#include <windows.h>

#include <vector>

namespace Host
{

namespace
{

void checkExports(Session& session, Checks& checks)
{
    for (const auto& e : pluginExports)
    {
        const FARPROC byName = GetProcAddress(session.plugin.module(), e.name);
        const FARPROC byOrdinal = GetProcAddress(session.plugin.module(), MAKEINTRESOURCEA(e.ordinal));
        checks.expect(byName != nullptr && byName == byOrdinal,
                      std::string(e.name) + " is exported as ordinal " + std::to_string(e.ordinal));
    }
    checks.expect(GetProcAddress(session.plugin.module(), MAKEINTRESOURCEA(9)) == nullptr, "no ordinal 9");
}

void checkVersionResource(Session& session, Checks& checks)
{
    const std::wstring& path = session.plugin.path();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (!checks.expect(size > 0, "the DLL has a version resource"))
        return;
    std::vector<BYTE> data(size);
    checks.expect(GetFileVersionInfoW(path.c_str(), 0, size, data.data()) != 0, "GetFileVersionInfoW");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (checks.expect(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed,
                      "fixed file info"))
    {
        checks.expect(fixed->dwFileVersionMS == MAKELONG(21, 3001) && fixed->dwFileVersionLS == MAKELONG(1, 1125),
                      "file version 3001.21.1125.1");
        checks.expect(fixed->dwProductVersionMS == MAKELONG(21, 3001)
                          && fixed->dwProductVersionLS == MAKELONG(1, 1125),
                      "product version 3001.21.1125.1");
        checks.expect(fixed->dwFileType == VFT_DLL, "file type DLL");
    }

    struct Text
    {
        const wchar_t* key;
        const wchar_t* expected;
    };
    const Text texts[] = {
        {L"CompanyName", L"Morvantis"},
        {L"ProductName", L"Morvantis"},
        {L"FileDescription", L"Morvantis"},
        {L"InternalName", L"MorvantisNpp64.dll"},
        {L"OriginalFilename", L"MorvantisNpp64.dll"},
        {L"FileVersion", L"3001.21.1125.1"},
        {L"ProductVersion", L"3001.21.1125.1"},
    };
    for (const auto& t : texts)
    {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + t.key;
        wchar_t* value = nullptr;
        UINT units = 0;
        const bool found = VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &units) && value;
        checks.expectEqual(found ? std::wstring(value) : L"(missing)", t.expected, narrow(t.key));
    }
}

void checkMenu(Session& session, Checks& checks)
{
    auto& plugin = session.plugin;
    checks.expectEqual(plugin.getName(), L"Morvantis Tools", "getName");
    checks.expect(plugin.isUnicode() == TRUE, "isUnicode is TRUE");

    // The editor calls setInfo before getFuncsArray; a second setInfo refills the same two entries.
    for (int round = 1; round <= 2; ++round)
    {
        plugin.setInfo(session.editor.handles());
        int count = -1;
        FuncItem* items = plugin.getFuncsArray(&count);
        const std::string when = " after setInfo #" + std::to_string(round);
        if (!checks.expect(count == 2 && items != nullptr, "two menu entries" + when))
            continue;
        const wchar_t* names[] = {L"Expression", L"About"};
        for (int i = 0; i < 2; ++i)
        {
            checks.expectEqual(items[i].itemName, names[i], "entry " + std::to_string(i) + when);
            checks.expect(items[i].pFunc != nullptr && !items[i].init2Check && items[i].pShKey == nullptr,
                          "entry " + std::to_string(i) + " has a command, no tick, no shortcut" + when);
        }
        checks.expect(items[0].pFunc != items[1].pFunc, "two different commands" + when);
        session.items = items;
    }

    for (const UINT message : {0u, UINT{WM_USER}, 2028u, 2048u, 0xFFFFu})
        checks.expect(plugin.messageProc(message, 1, 2) == TRUE, "messageProc answers TRUE to " + std::to_string(message));
    struct
    {
        HWND from;
        UINT_PTR id;
        UINT code;
    } notification{session.editor.handles().editor, 0, 1001};
    session.editor.clearLog();
    plugin.beNotified(&notification);
    checks.expect(session.editor.statuses.empty() && session.editor.otherMessages == 0,
                  "beNotified sends nothing to the editor");
}

} // namespace

void runModuleCases(Session& session, Checks& checks)
{
    checkExports(session, checks);
    checkVersionResource(session, checks);
    checkMenu(session, checks);
}

void runUnloadCase(Session& session, Checks& checks)
{
    // Use everything that keeps state, then unload: the evaluators die with the DLL.
    checks.expectEqual(session.evaluate("u = 4; 2 * u"), L"Expr: 2 * u = 8\n", "command before unload");
    checks.expectEqual(session.plugin.exprCalc("v = 3"), 3.0, "exprCalc before unload");
    checks.expectEqual(session.plugin.exprCalcW(L"w = 2"), 2.0, "exprCalcW before unload");
    checks.expect(session.plugin.unload(), "FreeLibrary succeeds");
    checks.expect(GetModuleHandleW(L"MorvantisNpp64.dll") == nullptr, "the DLL is gone after FreeLibrary");
}

} // namespace Host
