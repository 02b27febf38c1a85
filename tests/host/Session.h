// The host's pieces: the plugin DLL loaded as the editor loads it, the editor's window around two real
// Scintilla views, the checks, and the case groups that drive them. It runs under Wine, where GoogleTest
// is not built.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Host
{

// The editor's records, declared here independently of the plugin's sources, so a layout slip on either
// side shows.
struct NppData
{
    HWND editor, mainView, secondView;
};

struct FuncItem
{
    wchar_t itemName[64];
    void (*pFunc)();
    int cmdID;
    bool init2Check;
    void* pShKey;
};
static_assert(sizeof(FuncItem) == 152 && offsetof(FuncItem, cmdID) == 136 && offsetof(FuncItem, pShKey) == 144);

struct LoadedPlugin
{
    // From plugins\MorvantisNpp64\MorvantisNpp64.dll beside the host, where the editor looks for it.
    // Throws std::runtime_error when the DLL or one of its exports is missing (the export table's own
    // test checks the ordinals).
    LoadedPlugin();

    std::wstring path;
    HMODULE module = nullptr; // the editor keeps it for the whole session; the module cases end by freeing it
    void (*setInfo)(NppData) = nullptr;
    const wchar_t* (*getName)() = nullptr;
    FuncItem* (*getFuncsArray)(int*) = nullptr;
    LRESULT (*messageProc)(UINT, WPARAM, LPARAM) = nullptr;
    BOOL (*isUnicode)() = nullptr;
    double (*exprCalc)(const char*) = nullptr;
    double (*exprCalcW)(const wchar_t*) = nullptr;
};

using Range = std::pair<size_t, size_t>; // anchor and caret, as offsets into a case's bytes
// How select() places a case's bytes; several may be given together.
constexpr unsigned rectangle = 1, wholeDocument = 2, secondView = 4;
// Answers another editor version may give and Scintilla never does.
constexpr unsigned startAfterEnd = 8, sizeCountsNul = 16;

// The editor's main window, answered by a window procedure of our own, and its two views: Scintilla
// windows from Scintilla.dll beside the host, subclassed to watch what the plugin asks of them.
class ScintillaEditor
{
  public:
    // Lives as long as the process. Throws std::runtime_error when Scintilla.dll or a window cannot be had.
    ScintillaEditor();

    NppData handles() const { return {windows_[0], windows_[1], windows_[2]}; }
    // Puts the bytes into a view's document, between a line before and a line after them, and selects the
    // ranges there (none: all the bytes), the last one the main selection, or one range's rectangle. That
    // view becomes current; the other one holds another selection, so reading the wrong view shows.
    void select(const std::string& text, const std::vector<Range>& ranges = {}, unsigned how = 0);
    // The window procedure of all three, in front of their own.
    LRESULT answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<std::wstring> statuses;  // since select(); texts for any field but the first are marked
    std::vector<std::string> complaints; // messages to the wrong window or view, buffers too small
    int pluginMessages = 0;              // to the editor and its views

  private:
    LRESULT toView(int view, UINT message, WPARAM wParam = 0, LPARAM lParam = 0); // past the watch

    HMODULE scintilla_ = nullptr;
    HWND windows_[3] = {};  // the editor, the main view, the second view
    WNDPROC procs_[3] = {}; // the windows' own procedures
    int currentView_ = 0;
    unsigned how_ = 0;
};

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
    ScintillaEditor& editor;
    FuncItem* items = nullptr; // the menu, after setInfo
    int itemCount = 0;

    // Runs a menu entry as the editor's UI thread does. A command that shows a window when no box is
    // expected, or has not returned after 10 s, ends the process with a failure naming the case. An expected
    // box is answered with Return, and its title returned.
    std::wstring run(int item, const std::string& name, bool boxExpected = false);
    // Selects text in the main view, runs "Expression", and returns the last status text.
    std::wstring evaluate(const std::string& selection);
};

void runModuleCases(Session& session, Checks& checks);  // exports, name, menu, version resource, unload
void runCommandCases(Session& session, Checks& checks); // ordinary and hostile selections, url
void runAboutCase(Session& session, Checks& checks);    // the modal About box

} // namespace Host
