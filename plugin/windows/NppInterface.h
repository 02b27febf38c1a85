// The records through which the editor (Notepad++) and a plugin DLL talk, laid out as the editor expects.
#pragma once

#include <windows.h>

#include <cstddef>

namespace Morvantis::Plugin
{

// The editor's window and its two editing views, handed to setInfo by value.
struct NppData
{
    HWND editor;
    HWND mainView;
    HWND secondView;
};

struct ShortcutKey
{
    bool ctrl;
    bool alt;
    bool shift;
    unsigned char key;
};

constexpr std::size_t menuItemNameLength = 64;

// One menu entry; cmdID belongs to the editor.
struct FuncItem
{
    wchar_t itemName[menuItemNameLength];
    void (*pFunc)();
    int cmdID;
    bool init2Check;
    ShortcutKey* pShKey;
};

static_assert(sizeof(NppData) == 3 * sizeof(HWND));
static_assert(sizeof(ShortcutKey) == 4);
static_assert(offsetof(FuncItem, pFunc) == 128 && offsetof(FuncItem, cmdID) == 136 &&
                  offsetof(FuncItem, init2Check) == 140 && offsetof(FuncItem, pShKey) == 144 && sizeof(FuncItem) == 152,
              "FuncItem must match the editor's 64-bit layout");

} // namespace Morvantis::Plugin
