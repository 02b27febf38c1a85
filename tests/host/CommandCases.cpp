#include "Session.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace Host
{

namespace
{

// The exact value of the double nearest 1e300: the runtime must print every digit, not 17 and then zeros.
const wchar_t exact1e300[] = L"10000000000000000525047602552044202487044685811081591549158541155118024579889081957863"
                             L"71375080447864043704443832883878176942523235360430575644792184786706982848387200926575"
                             L"80373783023379478809005936895323497079994508111903896764088007465274278014249457925878"
                             L"8820056842838115669472196386865459400540160";

std::wstring joined(const std::vector<std::wstring>& texts)
{
    std::wstring out;
    for (const auto& text : texts)
        out += text + L"|";
    return out;
}

} // namespace

void runCommandCases(Session& session, Checks& checks)
{
    const std::wstring busy = L"Expr: ...";
    // In order: each empty selection follows a row with another clipboard, so a stray copy shows.
    const struct
    {
        const char* name;
        std::string selection;
        std::vector<std::wstring> statuses;    // every NPPM_SETSTATUSBAR text, in order
        std::optional<std::wstring> clipboard; // nullopt: left as it was; empty: changed, whatever the text
        int view = 0;
        bool backwards = false;
        std::string otherSelections = {}; // the view's selected text goes on past the main selection
    } cases[] = {
        {"sum", "1+2", {busy, L"Expr: 1+2 = 3\n"}, L"3"},
        {"selection starting with NUL",
         std::string("\0"
                     "1+2",
                     4),
         {L"Expr: EMPTY"},
         std::nullopt},
        {"made backwards", "10-4", {busy, L"Expr: 10-4 = 6\n"}, L"6", 0, true},
        {"backwards in the second view", "2^5", {busy, L"Expr: 2^5 = 32\n"}, L"32", 1, true},
        {"error ends the text",
         "1; sqrt(); 3",
         {busy, L"Expr: 1 = 1\n", L"Expr ERROR: Function 'sqrt' expects 1 parameters.\n"},
         L"ERROR"},
        {"empty selection", "", {L"Expr: EMPTY"}, std::nullopt},
        {"emoji", "print('\xF0\x9F\x98\x80')", {busy, L"Expr: print('\U0001F600') = 0\n"}, L"\U0001F600\n"},
        // The engine keeps the bytes (the clipboard gets them as the framework reads them); the status shows '#'.
        {"not UTF-8", "print('a\xFF\xC3(')", {busy, L"Expr: print('a##(') = 0\n"}, L""},
        {"several selections",
         "1+2",
         {busy, L"Expr: 1+2 = 3\n", L"Expr: 10*10 = 100\n", L"Expr: 3*3 = 9\n"},
         L"9",
         0,
         false,
         ";10*10;3*3;" + std::string(3000, ' ')},
    };
    auto& editor = session.editor;
    for (const auto& c : cases)
    {
        const std::string name = std::string(c.name) + ": ";
        editor.select(c.selection, c.view, c.backwards);
        auto& view = editor.views[c.view];
        view.selectedText += c.otherSelections;
        view.sizeCountsNul = c.otherSelections.empty(); // views differ on whether the size counts the NUL
        // The other view holds a different selection, so reading the wrong one shows.
        editor.views[1 - c.view] = {0, 4, "9999", true, {}};
        const std::wstring before = readClipboardText().value_or(L"(empty)");

        session.runExpression();

        checks.expectEqual(joined(editor.statuses), joined(c.statuses), name + "status texts");
        const std::wstring clipboard = readClipboardText().value_or(L"(empty)");
        if (c.clipboard && c.clipboard->empty())
            checks.expect(clipboard != before, name + "clipboard changed");
        else
            checks.expectEqual(clipboard, c.clipboard.value_or(before), name + "clipboard");
        if (!view.selTextCalls.empty())
            checks.expect(view.selTextCalls.size() == 2 && view.selTextCalls[0] == 0 && view.selTextCalls[1] != 0,
                          name + "the size is asked before the text is copied");
    }
}

void runNumberCases(Session& session, Checks& checks)
{
    const struct
    {
        std::string selection;
        std::wstring number; // as the status bar and the clipboard show it
    } cases[] = {
        {"1e300", exact1e300},
        {"2^64", L"18446744073709551616"},
        {"2/3", L"0.666666666667"},
        {"0.1+0.2", L"0.3"},
        {"5e-13", L"0"},
        {"-1e-13", L"-0"},
    };
    for (const auto& c : cases)
    {
        checks.expectEqual(session.evaluate(c.selection), L"Expr: " + widen(c.selection) + L" = " + c.number + L"\n",
                           c.selection + ": status");
        checks.expectEqual(readClipboardText().value_or(L"(empty)"), c.number, c.selection + ": clipboard");
    }
    // print takes "%f" with six decimals, then drops trailing zeros.
    session.evaluate("print(1/3); print(1e-7); print(-1e-7); print(2.5); print(100); print(1e300)");
    checks.expectEqual(readClipboardText().value_or(L"(empty)"),
                       L"0.333333\n0\n-0\n2.5\n100\n" + std::wstring(exact1e300) + L"\n", "print's number texts");
}

void runDeepInputCases(Session& session, Checks& checks)
{
    // The host's main thread has a 1 MiB stack, as the editor's UI thread has.
    constexpr size_t n = 100000;
    std::string sum = "1";
    for (size_t i = 1; i < n; ++i)
        sum += "+1";
    const std::wstring tooDeep = L"Expr ERROR: Expression nested too deeply.\n";
    const struct
    {
        const char* name;
        std::string text;
        std::wstring statusEnd;
    } cases[] = {
        {"100000 balanced parentheses", std::string(n, '(') + "1" + std::string(n, ')'), tooDeep},
        {"100000 minus signs", std::string(n, '-') + "1", tooDeep},
        {"100000 not signs", std::string(n, '!') + "1", tooDeep},
        {"100000-term sum", sum, L" = 100000\n"},
    };
    for (const auto& c : cases)
    {
        std::printf("  %s\n", c.name);
        std::fflush(stdout); // a crash still shows which input it was
        const std::wstring status = session.evaluate(c.text);
        const size_t tail = std::min(status.size(), c.statusEnd.size());
        checks.expectEqual(status.substr(status.size() - tail), c.statusEnd, std::string(c.name) + ": status ends");
    }
}

} // namespace Host
