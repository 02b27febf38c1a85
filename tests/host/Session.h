// One loaded plugin talking to one fake editor, and the case groups that drive them.
#pragma once

#include "Check.h"
#include "FakeEditor.h"
#include "LoadedPlugin.h"

#include <optional>
#include <string>

namespace Host
{

struct Session
{
    LoadedPlugin& plugin;
    FakeEditor& editor;
    FuncItem* items = nullptr; // after setInfo

    // Runs the "Expression" menu entry on the current selection, as the editor's UI thread does.
    void runExpression() { items[0].pFunc(); }
    // Selects text in the main view, runs the command, and returns the last status text.
    std::wstring evaluate(const std::string& selection);
};

// The integer digits of a double of 2^53 or more, computed exactly without the C runtime.
std::string exactIntegerText(double value);

void runModuleCases(Session& session, Checks& checks);   // exports, ordinals, version resource, menu
void runCommandCases(Session& session, Checks& checks);  // the "Expression" command
void runNumberCases(Session& session, Checks& checks);   // number texts under the Windows runtime
void runExportCases(Session& session, Checks& checks);   // exprCalc and exprCalcW
void runDeepInputCases(Session& session, Checks& checks); // worst-case inputs on a 1 MiB stack
void runUrlCases(Session& session, Checks& checks);      // the url built-in through WinINet
void runAboutCase(Session& session, Checks& checks);     // the modal About box
void runUnloadCase(Session& session, Checks& checks);    // FreeLibrary after use

} // namespace Host
