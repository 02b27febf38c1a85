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
    HWND editor;
    HWND mainView;
    HWND secondView;
};

struct ShortcutKey
{
    bool ctrl;
    bool alt;
    bool shift;
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

struct Export
{
    const char* name;
    WORD ordinal;
};
constexpr Export pluginExports[] = {
    {"beNotified", 1}, {"exprCalc", 2}, {"exprCalcW", 3}, {"getFuncsArray", 4},
    {"getName", 5},    {"isUnicode", 6}, {"messageProc", 7}, {"setInfo", 8},
};

class LoadedPlugin
{
public:
    // Throws std::runtime_error when the DLL or one of its exports is missing.
    explicit LoadedPlugin(const std::wstring& path);
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    HMODULE module() const { return module_; }
    const std::wstring& path() const { return path_; }
    // The editor keeps plugins for the whole session; only the unload check frees one.
    bool unload();

    void (*setInfo)(NppData) = nullptr;
    const wchar_t* (*getName)() = nullptr;
    FuncItem* (*getFuncsArray)(int*) = nullptr;
    void (*beNotified)(void*) = nullptr;
    LRESULT (*messageProc)(UINT, WPARAM, LPARAM) = nullptr;
    BOOL (*isUnicode)() = nullptr;
    double (*exprCalc)(const char*) = nullptr;
    double (*exprCalcW)(const wchar_t*) = nullptr;

private:
    std::wstring path_;
    HMODULE module_ = nullptr;
};

// Where the editor looks for the plugin: plugins\MorvantisNpp64\MorvantisNpp64.dll beside its executable.
std::wstring pluginPathBesideHost();

} // namespace Host
