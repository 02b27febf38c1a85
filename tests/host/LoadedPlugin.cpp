#include "LoadedPlugin.h"

#include <stdexcept>

namespace Host
{

namespace
{

template <typename F> void bind(HMODULE module, WORD ordinal, const char* name, F& function)
{
    const FARPROC address = GetProcAddress(module, name);
    if (address == nullptr || address != GetProcAddress(module, MAKEINTRESOURCEA(ordinal)))
        throw std::runtime_error(std::string(name) + " is not exported as ordinal " + std::to_string(ordinal));
    function = reinterpret_cast<F>(reinterpret_cast<void*>(address));
}

} // namespace

LoadedPlugin::LoadedPlugin(const std::wstring& dllPath) : path(dllPath), module(LoadLibraryW(dllPath.c_str()))
{
    if (module == nullptr)
        throw std::runtime_error("LoadLibraryW failed: " + std::to_string(GetLastError()));
    bind(module, 1, "beNotified", beNotified);
    bind(module, 2, "exprCalc", exprCalc);
    bind(module, 3, "exprCalcW", exprCalcW);
    bind(module, 4, "getFuncsArray", getFuncsArray);
    bind(module, 5, "getName", getName);
    bind(module, 6, "isUnicode", isUnicode);
    bind(module, 7, "messageProc", messageProc);
    bind(module, 8, "setInfo", setInfo);
}

std::wstring pluginPathBesideHost()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.erase(path.find_last_of(L"\\/") + 1) + L"plugins\\MorvantisNpp64\\MorvantisNpp64.dll";
}

} // namespace Host
