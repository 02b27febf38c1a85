// One loaded plugin talking to one fake editor, the checks, and the case groups that drive them.
// It runs under Wine, where GoogleTest is not built.
#pragma once

#include "FakeEditor.h"
#include "LoadedPlugin.h"

#include <optional>
#include <string>
#include <vector>

namespace Host
{

struct Checks
{
    std::string group;
    int checks = 0, failures = 0;

    bool expect(bool ok, const std::string& what);
    bool equal(const std::wstring& got, const std::wstring& expected, const std::string& what);
    // NaN equals NaN here: the exports report failures that way.
    bool equal(double got, double expected, const std::string& what);
};

std::string narrow(const std::wstring& wide);
// For logs: control characters and non-ASCII units escaped, long texts cut in the middle.
std::string printable(const std::wstring& text);
// The system clipboard's Unicode text, as another program sees it.
std::optional<std::wstring> readClipboardText();

struct Session
{
    LoadedPlugin& plugin;
    FakeEditor& editor;
    FuncItem* items = nullptr; // the menu, after setInfo
    int itemCount = 0;

    // Runs the "Expression" menu entry on the current selection, as the editor's UI thread does.
    void runExpression() { items[0].pFunc(); }
    // Selects text in the main view, runs the command, and returns the last status text.
    std::wstring evaluate(const std::string& selection);
};

void runModuleCases(Session& session, Checks& checks);  // exports, name, menu, version resource, unload
void runCommandCases(Session& session, Checks& checks); // ordinary and hostile selections, url
void runAboutCase(Session& session, Checks& checks);    // the modal About box
// Evaluates files[0] through exprCalc into files[1] and files[2] through the command into files[3].
int runDifferential(Session& session, const std::vector<std::string>& files);

} // namespace Host
