// Plays the editor's main window and its two Scintilla views with a window procedure of its own.
#pragma once

#include "LoadedPlugin.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Host
{

struct ViewState
{
    intptr_t start = 0, end = 0;
    std::string selectedText; // what SCI_GETSELTEXT hands out, possibly more than end - start
};

class FakeEditor
{
  public:
    FakeEditor();
    ~FakeEditor();
    FakeEditor(const FakeEditor&) = delete;
    FakeEditor& operator=(const FakeEditor&) = delete;

    NppData handles() const { return {windows_[0], windows_[1], windows_[2]}; }

    // A plain selection of text in the given view, made backwards when asked; the view becomes current,
    // the other one holds another selection (so reading the wrong view shows), and the status log restarts.
    void select(const std::string& text, int view = 0, bool backwards = false);

    int currentView = 0;
    ViewState views[2];
    std::vector<std::wstring> statuses; // texts for any field but the first are marked as such

  private:
    LRESULT answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND windows_[3] = {}; // the editor, the main view, the second view
};

} // namespace Host
