#include "LoadedPlugin.h"

#include "Check.h"

#include <stdexcept>

namespace Host
{

namespace
{

template <typename F>
void bind(HMODULE module, const char* name, F& function)
{
    const FARPROC address = GetProcAddress(module, name);
    if (address == nullptr)
        throw std::runtime_error(std::string("export missing: ") + name);
    function = reinterpret_cast<F>(reinterpret_cast<void*>(address));
}

} // namespace

LoadedPlugin::LoadedPlugin(const std::wstring& path) : path_(path), module_(LoadLibraryW(path.c_str()))
{
    if (module_ == nullptr)
        throw std::runtime_error("LoadLibraryW failed (" + std::to_string(GetLastError()) + ") for " + narrow(path));
    bind(module_, "setInfo", setInfo);
    bind(module_, "getName", getName);
    bind(module_, "getFuncsArray", getFuncsArray);
    bind(module_, "beNotified", beNotified);
    bind(module_, "messageProc", messageProc);
    bind(module_, "isUnicode", isUnicode);
    bind(module_, "exprCalc", exprCalc);
    bind(module_, "exprCalcW", exprCalcW);
}

bool LoadedPlugin::unload()
{
    const bool freed = FreeLibrary(module_) != 0;
    module_ = nullptr;
    return freed;
}

std::wstring pluginPathBesideHost()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"plugins\\MorvantisNpp64\\MorvantisNpp64.dll";
}

} // namespace Host
