#include "LoadedPlugin.h"

#include <stdexcept>

namespace Host
{

namespace
{

template <typename F> void bind(HMODULE module, const char* name, F& function)
{
    const FARPROC address = GetProcAddress(module, name);
    if (address == nullptr)
        throw std::runtime_error(std::string(name) + " is not exported");
    function = reinterpret_cast<F>(reinterpret_cast<void*>(address));
}

std::wstring pathBesideHost()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.erase(path.find_last_of(L"\\/") + 1) + L"plugins\\MorvantisNpp64\\MorvantisNpp64.dll";
}

} // namespace

LoadedPlugin::LoadedPlugin() : path(pathBesideHost()), module(LoadLibraryW(path.c_str()))
{
    if (module == nullptr)
        throw std::runtime_error("LoadLibraryW failed: " + std::to_string(GetLastError()));
    bind(module, "exprCalc", exprCalc);
    bind(module, "exprCalcW", exprCalcW);
    bind(module, "getFuncsArray", getFuncsArray);
    bind(module, "getName", getName);
    bind(module, "isUnicode", isUnicode);
    bind(module, "messageProc", messageProc);
    bind(module, "setInfo", setInfo);
}

} // namespace Host
