#include "Session.h"

#include <windows.h>

#include <vector>

namespace Host
{

void runModuleCases(Session& session, Checks& checks)
{
    // Loading found the eight exports under their names and ordinals; there is no ninth.
    checks.expect(GetProcAddress(session.plugin.module, MAKEINTRESOURCEA(9)) == nullptr, "no ordinal 9");

    const wchar_t* path = session.plugin.path.c_str();
    DWORD ignored = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeW(path, &ignored));
    if (checks.expect(!data.empty() && GetFileVersionInfoW(path, 0, static_cast<DWORD>(data.size()), data.data()),
                      "the DLL has a version resource"))
    {
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        constexpr WORD parts[] = {MORVANTIS_FILE_VERSION_PARTS};
        const DWORD high = MAKELONG(parts[1], parts[0]), low = MAKELONG(parts[3], parts[2]);
        checks.expect(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
                          fixed->dwFileVersionMS == high && fixed->dwFileVersionLS == low &&
                          fixed->dwProductVersionMS == high && fixed->dwProductVersionLS == low &&
                          fixed->dwFileType == VFT_DLL,
                      "fixed file info: a DLL, file and product version " + narrow(MORVANTIS_FILE_VERSION_TEXT));
        const wchar_t* texts[][2] = {
            {L"CompanyName", L"Morvantis"},
            {L"ProductName", L"Morvantis"},
            {L"FileDescription", L"Morvantis"},
            {L"InternalName", L"MorvantisNpp64.dll"},
            {L"OriginalFilename", L"MorvantisNpp64.dll"},
            {L"FileVersion", MORVANTIS_FILE_VERSION_TEXT},
            {L"ProductVersion", MORVANTIS_FILE_VERSION_TEXT},
        };
        for (const auto& [key, expected] : texts)
        {
            const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + key;
            wchar_t* value = nullptr;
            const bool found = VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length);
            checks.expectEqual(found && value ? value : L"(missing)", expected, narrow(key));
        }
    }

    auto& plugin = session.plugin;
    checks.expectEqual(plugin.getName(), L"Morvantis Tools", "getName");
    checks.expect(plugin.isUnicode() == TRUE && plugin.messageProc(0, 1, 2) == TRUE &&
                      plugin.messageProc(WM_USER, 1, 2) == TRUE,
                  "isUnicode and messageProc answer TRUE");
    // The editor calls setInfo before getFuncsArray.
    plugin.setInfo(session.editor.handles());
    int count = -1;
    FuncItem* items = plugin.getFuncsArray(&count);
    if (checks.expect(count == 2 && items != nullptr, "two menu entries"))
    {
        const wchar_t* names[] = {L"Expression", L"About"};
        for (int i = 0; i < 2; ++i)
        {
            checks.expectEqual(items[i].itemName, names[i], "entry " + std::to_string(i));
            checks.expect(items[i].pFunc != nullptr && !items[i].init2Check && items[i].pShKey == nullptr,
                          "entry " + std::to_string(i) + " has a command, no tick, no shortcut");
        }
    }
}

void runUnloadCase(Session& session, Checks& checks)
{
    // Use everything that keeps state, then unload: the evaluators die with the DLL.
    checks.expectEqual(session.evaluate("u = 4; 2 * u"), L"Expr: 2 * u = 8\n", "command before unload");
    checks.expectEqual(session.plugin.exprCalc("v = 3") + session.plugin.exprCalcW(L"w = 2"), 5.0,
                       "exports before unload");
    checks.expect(FreeLibrary(session.plugin.module) != 0, "FreeLibrary succeeds");
    checks.expect(GetModuleHandleW(L"MorvantisNpp64.dll") == nullptr, "the DLL is gone after FreeLibrary");
}

} // namespace Host
