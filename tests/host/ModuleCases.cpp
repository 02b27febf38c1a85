// What the editor and other plugins see of the module: the calculator exports, the name, the menu, the
// version resource and unloading; and the About box.
#include "Session.h"

#include <cmath>
#include <vector>

namespace Host
{

void runModuleCases(Session& session, Checks& checks)
{
    auto& plugin = session.plugin;
    const double nan = std::nan("");
    checks.equal(plugin.exprCalc(nullptr), nan, "exprCalc(nullptr)");
    checks.equal(plugin.exprCalcW(nullptr), nan, "exprCalcW(nullptr)");
    checks.equal(plugin.exprCalc("1; sqrt()"), nan, "a failing text gives NaN");
    // UTF-16 taken unit by unit: U+1F600 becomes two 3-byte surrogates, not one 4-byte sequence.
    checks.equal(plugin.exprCalcW(L"md5('\U0001F600')"), 6.0, "exprCalcW reads wchar_t units");
    // Three evaluators, each keeping its variables from call to call: the command's, exprCalc's and exprCalcW's.
    checks.equal(plugin.exprCalc("hv = 5"), 5.0, "exprCalc assigns");
    checks.equal(plugin.exprCalcW(L"hv = 8"), 8.0, "exprCalcW assigns its own");
    session.evaluate("hv = 1");
    checks.equal(plugin.exprCalc("hv"), 5.0, "exprCalc keeps its own");
    checks.equal(plugin.exprCalcW(L"hv"), 8.0, "exprCalcW keeps its own");
    checks.equal(session.evaluate("hv"), L"Expr: hv = 1\n", "the command keeps its own");

    checks.equal(plugin.getName(), L"Morvantis Tools", "getName");
    checks.expect(plugin.isUnicode() == TRUE && plugin.messageProc(0, 1, 2) == TRUE &&
                      plugin.messageProc(WM_USER, 1, 2) == TRUE,
                  "isUnicode and messageProc answer TRUE");
    if (checks.expect(session.itemCount == 2 && session.items != nullptr, "two menu entries"))
        for (int i = 0; i < 2; ++i)
        {
            const FuncItem& item = session.items[i];
            checks.equal(item.itemName, i == 0 ? L"Expression" : L"About", "entry " + std::to_string(i));
            checks.expect(item.pFunc != nullptr && !item.init2Check && item.pShKey == nullptr,
                          "entry " + std::to_string(i) + " has a command, no tick, no shortcut");
        }

    const wchar_t* path = plugin.path.c_str();
    DWORD ignored = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeW(path, &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    constexpr WORD parts[] = {MORVANTIS_FILE_VERSION_PARTS};
    const DWORD high = MAKELONG(parts[1], parts[0]), low = MAKELONG(parts[3], parts[2]);
    checks.expect(!data.empty() && GetFileVersionInfoW(path, 0, static_cast<DWORD>(data.size()), data.data()) &&
                      VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
                      fixed->dwFileVersionMS == high && fixed->dwFileVersionLS == low &&
                      fixed->dwProductVersionMS == high && fixed->dwProductVersionLS == low &&
                      fixed->dwFileType == VFT_DLL,
                  "version resource: a DLL, file and product version " + narrow(MORVANTIS_FILE_VERSION_TEXT));

    // Last, after everything that keeps state has been used: the evaluators die with the DLL.
    checks.expect(FreeLibrary(plugin.module) != 0, "FreeLibrary succeeds");
    checks.expect(GetModuleHandleW(L"MorvantisNpp64.dll") == nullptr, "the DLL is gone after FreeLibrary");
}

void runAboutCase(Session& session, Checks& checks)
{
    // Return triggers the box's only button, OK.
    checks.equal(session.run(1, "About", true), L"Morvantis", "the title of the box About shows");
    // The message manager the box left behind must not disturb the other command.
    checks.equal(session.evaluate("1+1"), L"Expr: 1+1 = 2\n", "Expression still works after About");
}

} // namespace Host
