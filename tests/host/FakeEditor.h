// Plays the editor's main window and its two Scintilla views with window procedures of its own.
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
    intptr_t start = 0;
    intptr_t end = 0;
    std::string selectedText; // what SCI_GETSELTEXT hands out, possibly more than end - start
    bool sizeCountsNul = true;
    std::vector<LPARAM> selTextCalls; // lParam of every SCI_GETSELTEXT, 0 for the size query
};

class FakeEditor
{
public:
    FakeEditor();
    ~FakeEditor();
    FakeEditor(const FakeEditor&) = delete;
    FakeEditor& operator=(const FakeEditor&) = delete;

    NppData handles() const { return {editor_, views_[0], views_[1]}; }

    // A plain selection of text in the given view, made backwards when asked; the view becomes current.
    void select(const std::string& text, int view = 0, bool backwards = false);
    void clearLog();

    int currentView = 0;
    ViewState views[2];
    std::vector<std::wstring> statuses;
    std::vector<WPARAM> statusFields;
    int otherMessages = 0;

private:
    static LRESULT CALLBACK editorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK viewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND editor_ = nullptr;
    HWND views_[2] = {};
};

} // namespace Host
