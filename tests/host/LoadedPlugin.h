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

struct ShortcutKey
{
    bool ctrl, alt, shift;
    unsigned char key;
};

struct FuncItem
{
    wchar_t itemName[64];
    void (*pFunc)();
    int cmdID;
    bool init2Check;
    ShortcutKey* pShKey;
};
static_assert(sizeof(FuncItem) == 152 && offsetof(FuncItem, cmdID) == 136 && offsetof(FuncItem, pShKey) == 144);

struct LoadedPlugin
{
    // Throws std::runtime_error when the DLL is missing, or an export under its name and its ordinal.
    explicit LoadedPlugin(const std::wstring& dllPath);
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    std::wstring path;
    HMODULE module = nullptr; // the editor keeps it for the whole session; only the unload case frees it
    void (*setInfo)(NppData) = nullptr;
    const wchar_t* (*getName)() = nullptr;
    FuncItem* (*getFuncsArray)(int*) = nullptr;
    void (*beNotified)(void*) = nullptr;
    LRESULT (*messageProc)(UINT, WPARAM, LPARAM) = nullptr;
    BOOL (*isUnicode)() = nullptr;
    double (*exprCalc)(const char*) = nullptr;
    double (*exprCalcW)(const wchar_t*) = nullptr;
};

// Where the editor looks for the plugin: plugins\MorvantisNpp64\MorvantisNpp64.dll beside its executable.
std::wstring pluginPathBesideHost();

} // namespace Host
