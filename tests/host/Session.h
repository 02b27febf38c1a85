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

class Checks
{
  public:
    explicit Checks(std::string group) : group_(std::move(group)) {}

    bool expect(bool ok, const std::string& what);
    bool expectEqual(const std::wstring& got, const std::wstring& expected, const std::string& what);
    // NaN equals NaN here: the exports report failures that way.
    bool expectEqual(double got, double expected, const std::string& what);

    int failures = 0;
    int checks = 0;

  private:
    std::string group_;
};

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);
// For logs: control characters and non-ASCII units escaped.
std::string printable(const std::wstring& text);
// The system clipboard's Unicode text, as another program sees it.
std::optional<std::wstring> readClipboardText();

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

void runModuleCases(Session& session, Checks& checks);    // exports, ordinals, version resource, menu
void runUnloadCase(Session& session, Checks& checks);     // FreeLibrary after use
void runCommandCases(Session& session, Checks& checks);   // the "Expression" command
void runNumberCases(Session& session, Checks& checks);    // number texts under the Windows runtime
void runDeepInputCases(Session& session, Checks& checks); // worst-case inputs on a 1 MiB stack
void runHostileCases(Session& session, Checks& checks);   // megabyte, broken and odd selections, timed
void runExportCases(Session& session, Checks& checks);    // exprCalc and exprCalcW
void runUrlCases(Session& session, Checks& checks);       // the url built-in through WinINet
void runAboutCase(Session& session, Checks& checks);      // the modal About box
// Evaluates files[0] through exprCalc into files[1] and files[2] through the command into files[3].
int runDifferential(Session& session, const std::vector<std::string>& files);

} // namespace Host
