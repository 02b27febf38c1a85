// The plugin DLL loaded the way the editor loads it, with the editor's side of the records.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace Host
{

// Declared here independently of the plugin's sources, so a layout slip on either side shows.
struct NppData
{
    HWND editor, mainView, secondView;
};

struct FuncItem
{
    wchar_t itemName[64];
    void (*pFunc)();
    int cmdID;
    bool init2Check;
    void* pShKey;
};
static_assert(sizeof(FuncItem) == 152 && offsetof(FuncItem, cmdID) == 136 && offsetof(FuncItem, pShKey) == 144);

struct LoadedPlugin
{
    // From plugins\MorvantisNpp64\MorvantisNpp64.dll beside the host, where the editor looks for it.
    // Throws std::runtime_error when the DLL or one of its exports is missing (the export table's own
    // test checks the ordinals).
    LoadedPlugin();

    std::wstring path;
    HMODULE module = nullptr; // the editor keeps it for the whole session; the module cases end by freeing it
    void (*setInfo)(NppData) = nullptr;
    const wchar_t* (*getName)() = nullptr;
    FuncItem* (*getFuncsArray)(int*) = nullptr;
    LRESULT (*messageProc)(UINT, WPARAM, LPARAM) = nullptr;
    BOOL (*isUnicode)() = nullptr;
    double (*exprCalc)(const char*) = nullptr;
    double (*exprCalcW)(const wchar_t*) = nullptr;
};

} // namespace Host
