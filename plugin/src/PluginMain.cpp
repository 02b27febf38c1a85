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

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    // JUCE registers its window classes on this module, not on the editor's executable.
    if (reason == DLL_PROCESS_ATTACH)
        juce::Process::setCurrentModuleInstanceHandle(instance);
    return TRUE;
}

void setInfo(NppData data) noexcept
{
    nppData = data;
    fillItem(funcItems[0], L"Expression", expressionCommand);
    fillItem(funcItems[1], L"About", aboutCommand);
}

const wchar_t* getName() noexcept
{
    return pluginName;
}

FuncItem* getFuncsArray(int* count) noexcept
{
    if (count != nullptr)
        *count = static_cast<int>(funcItems.size());
    return funcItems.data();
}

void beNotified(void*) noexcept {}

LRESULT messageProc(UINT, WPARAM, LPARAM) noexcept
{
    return TRUE;
}

BOOL isUnicode() noexcept
{
    return TRUE;
}

double exprCalc(const char* text) noexcept
{
    return calculateUtf8(text);
}

double exprCalcW(const wchar_t* text) noexcept
{
    return calculateWide(text);
}

} // extern "C"
