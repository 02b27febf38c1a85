// The DLL's entry routine and its exports (names and ordinals fixed in MorvantisNpp64.def).
#include "AboutBox.h"
#include "CalculatorExports.h"
#include "ExpressionCommand.h"
#include "NppInterface.h"
#include "WindowsEditor.h"

#include <Morvantis/Expression.h>

#include <juce_core/juce_core.h>

#include <array>

using namespace Morvantis::Plugin;

namespace
{

NppData nppData{};
std::array<FuncItem, 2> funcItems{};

constexpr wchar_t pluginName[] = L"Morvantis Tools";

void expressionCommand()
{
    WindowsEditor editor(nppData);
    onExpressionCommand(editor);
}

void aboutCommand()
{
    onAboutCommand();
}

void fillItem(FuncItem& item, const wchar_t* name, void (*command)())
{
    lstrcpynW(item.itemName, name, static_cast<int>(menuItemNameLength));
    item.pFunc = command;
    item.init2Check = false;
    item.pShKey = nullptr;
}

} // namespace

// C linkage: the loader looks up DllMain by name, and the .def file exports the others by theirs.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    // JUCE registers its window classes on this module, not on the editor's executable.
    if (reason == DLL_PROCESS_ATTACH)
        juce::Process::setCurrentModuleInstanceHandle(instance);
    return TRUE;
}

extern "C" void setInfo(NppData data) noexcept
{
    nppData = data;
    fillItem(funcItems[0], L"Expression", expressionCommand);
    fillItem(funcItems[1], L"About", aboutCommand);
}

extern "C" const wchar_t* getName() noexcept
{
    return pluginName;
}

extern "C" FuncItem* getFuncsArray(int* count) noexcept
{
    if (count != nullptr)
        *count = static_cast<int>(funcItems.size());
    return funcItems.data();
}

extern "C" void beNotified(void*) noexcept {}

extern "C" LRESULT messageProc(UINT, WPARAM, LPARAM) noexcept
{
    return TRUE;
}

extern "C" BOOL isUnicode() noexcept
{
    return TRUE;
}

extern "C" double exprCalc(const char* text) noexcept
{
    return calculateUtf8(text);
}

extern "C" double exprCalcW(const wchar_t* text) noexcept
{
    return calculateWide(text);
}
