#include "Clipboard.h"
#include "Session.h"

#include <cmath>
#include <optional>
#include <vector>

namespace Host
{

namespace
{

const std::wstring sentinel = L"clipboard before the command";
const std::wstring working = L"Expr: ...";

struct CommandCase
{
    const char* name;
    std::string selection;
    std::vector<std::wstring> statuses;   // every NPPM_SETSTATUSBAR text, in order
    std::optional<std::wstring> clipboard; // nullopt: left as it was
    bool checkClipboard = true;
    int view = 0;
    bool backwards = false;
};

std::vector<std::wstring> reported(std::initializer_list<std::wstring> results)
{
    std::vector<std::wstring> out{working};
    out.insert(out.end(), results);
    return out;
}

void runCase(Session& session, Checks& checks, const CommandCase& c)
{
    auto& editor = session.editor;
    editor.clearLog();
    editor.select(c.selection, c.view, c.backwards);
    // The other view holds a different selection, so reading the wrong one shows.
    auto& other = editor.views[1 - c.view];
    other.start = 0;
    other.end = 4;
    other.selectedText = "9999";
    checks.expect(writeClipboardText(sentinel), std::string(c.name) + ": sentinel on the clipboard");

    session.runExpression();

    checks.expect(editor.statuses == c.statuses, std::string(c.name) + ": status texts");
    if (editor.statuses != c.statuses)
    {
        for (const auto& s : editor.statuses)
            std::printf("    got:      \"%s\"\n", printable(s).c_str());
        for (const auto& s : c.statuses)
            std::printf("    expected: \"%s\"\n", printable(s).c_str());
    }
    for (WPARAM field : editor.statusFields)
        checks.expect(field == 0, std::string(c.name) + ": status goes to field 0");
    if (c.checkClipboard)
        checks.expectEqual(readClipboardText().value_or(L"(empty)"), c.clipboard.value_or(sentinel),
                           std::string(c.name) + ": clipboard");
}

void runMultiSelection(Session& session, Checks& checks, bool sizeCountsNul)
{
    // The main selection is "1+2", but the view's selected text spans three selections.
    const std::string name = sizeCountsNul ? "several selections" : "several selections, size without NUL";
    auto& editor = session.editor;
    editor.clearLog();
    editor.select("1+2");
    auto& view = editor.views[0];
    view.selectedText = "1+2;10*10;3*3;" + std::string(3000, ' ');
    view.sizeCountsNul = sizeCountsNul;
    session.runExpression();
    checks.expect(editor.statuses
                      == reported({L"Expr: 1+2 = 3\n", L"Expr: 10*10 = 100\n", L"Expr: 3*3 = 9\n"}),
                  name + ": every selection evaluated");
    checks.expect(view.selTextCalls.size() == 2 && view.selTextCalls[0] == 0 && view.selTextCalls[1] != 0,
                  name + ": the size is asked before the text is copied");
}

} // namespace

void runCommandCases(Session& session, Checks& checks)
{
    const CommandCase cases[] = {
        {"sum", "1+2", reported({L"Expr: 1+2 = 3\n"}), L"3"},
        {"second view", "7*6", reported({L"Expr: 7*6 = 42\n"}), L"42", true, 1},
        {"made backwards", "10-4", reported({L"Expr: 10-4 = 6\n"}), L"6", true, 0, true},
        {"backwards in the second view", "2^5", reported({L"Expr: 2^5 = 32\n"}), L"32", true, 1, true},
        {"assignment", "x = 2; 3 * x", reported({L"Expr: x = 2 = 2\n", L"Expr: 3 * x = 6\n"}), L"6"},
        {"variable persists", "x", reported({L"Expr: x = 2\n"}), L"2"},
        {"print", "print('hi'); 5", reported({L"Expr: print('hi') = 0\n", L"Expr: 5 = 5\n"}), L"hi\n"},
        {"division by zero", "1/0", reported({L"Expr: 1/0 = ---\n"}), L"---"},
        {"error", "sqrt()", reported({L"Expr ERROR: Function 'sqrt' expects 1 parameters.\n"}), L"ERROR"},
        {"error ends the text", "1; sqrt(); 3",
         reported({L"Expr: 1 = 1\n", L"Expr ERROR: Function 'sqrt' expects 1 parameters.\n"}), L"ERROR"},
        {"empty selection", "", {L"Expr: EMPTY"}, std::nullopt},
        {"selection starting with NUL", std::string("\0" "1+2", 4), {L"Expr: EMPTY"}, std::nullopt},
        {"bytes after a NUL", std::string("4*4\0" "+1", 6), reported({L"Expr: 4*4 = 16\n"}), L"16"},
        {"emoji", "print('\xF0\x9F\x98\x80')", reported({L"Expr: print('\U0001F600') = 0\n"}), L"\U0001F600\n"},
        // The engine keeps the bytes; only the status text shows them as '#'.
        {"not UTF-8", "print('a\xFF\xC3(')", reported({L"Expr: print('a##(') = 0\n"}), std::nullopt, false},
    };
    for (const auto& c : cases)
        runCase(session, checks, c);
    runMultiSelection(session, checks, true);
    runMultiSelection(session, checks, false);
}

void runNumberCases(Session& session, Checks& checks)
{
    const std::wstring huge = widen(exactIntegerText(1e300));
    checks.expect(huge.size() == 301 && huge.compare(0, 6, L"100000") == 0, "exact 1e300 has 301 digits");
    const std::wstring twoTo64 = widen(exactIntegerText(std::ldexp(1.0, 64)));

    struct NumberCase
    {
        std::string selection;
        std::wstring number; // as the status bar and the clipboard show it
    };
    const NumberCase cases[] = {
        {"1e300", huge},
        {"2^64", twoTo64},
        {"1e20", L"100000000000000000000"},
        {"2/3", L"0.666666666667"},
        {"1/3", L"0.333333333333"},
        {"0.1+0.2", L"0.3"},
        {"123.456", L"123.456"},
        {"1e-12", L"0.000000000001"},
        {"5e-13", L"0"},
        {"-1e-13", L"-0"},
        {"-2.5", L"-2.5"},
    };
    for (const auto& c : cases)
    {
        checks.expectEqual(session.evaluate(c.selection), L"Expr: " + widen(c.selection) + L" = " + c.number + L"\n",
                           c.selection + ": status");
        checks.expectEqual(readClipboardText().value_or(L"(empty)"), c.number, c.selection + ": clipboard");
    }

    // print takes "%f" with six decimals, then drops trailing zeros.
    session.evaluate("print(1/3); print(1e-7); print(-1e-7); print(2.5); print(100); print(1e300)");
    checks.expectEqual(readClipboardText().value_or(L"(empty)"), L"0.333333\n0\n-0\n2.5\n100\n" + huge + L"\n",
                       "print's number texts");
}

void runDeepInputCases(Session& session, Checks& checks)
{
    // The host's main thread has a 1 MiB stack, as the editor's UI thread has.
    constexpr size_t n = 100000;
    const std::wstring failure = L"Expr ERROR: ";
    struct Deep
    {
        const char* name;
        std::string text;
    };
    const Deep deep[] = {
        {"100000 opening parentheses", std::string(n, '(')},
        {"100000 balanced parentheses", std::string(n, '(') + "1" + std::string(n, ')')},
        {"100000 minus signs", std::string(n, '-') + "1"},
        {"100000 not signs", std::string(n, '!') + "1"},
    };
    for (const auto& d : deep)
    {
        std::printf("  %s: ", d.name);
        std::fflush(stdout); // a crash still shows which input it was
        const std::wstring status = session.evaluate(d.text);
        std::printf("%s\n", printable(status).c_str());
        checks.expect(status.compare(0, failure.size(), failure) == 0,
                      std::string(d.name) + " fails cleanly: \"" + printable(status) + "\"");
        checks.expectEqual(session.plugin.exprCalc(d.text.c_str()), std::nan(""), std::string(d.name) + " via exprCalc");
    }

    std::printf("  100000-term sum\n");
    std::fflush(stdout);
    std::string sum = "1";
    for (size_t i = 1; i < n; ++i)
        sum += "+1";
    const std::wstring status = session.evaluate(sum);
    const std::wstring tail = L" = 100000\n";
    checks.expect(status.size() > tail.size() && status.compare(status.size() - tail.size(), tail.size(), tail) == 0,
                  "a 100000-term sum gives 100000: \"" + printable(status.substr(0, 40)) + "...\"");
    checks.expectEqual(session.plugin.exprCalc(sum.c_str()), 100000.0, "the sum via exprCalc");
}

std::string exactIntegerText(double value)
{
    // value = mantissa * 2^exponent with exponent >= 0 here; doubling a decimal digit string stays exact.
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    auto mantissa = static_cast<unsigned long long>(std::ldexp(fraction, 53));
    exponent -= 53;
    std::vector<int> digits; // least significant first
    for (; mantissa > 0; mantissa /= 10)
        digits.push_back(static_cast<int>(mantissa % 10));
    for (; exponent > 0; --exponent)
    {
        int carry = 0;
        for (int& d : digits)
        {
            const int twice = d * 2 + carry;
            d = twice % 10;
            carry = twice / 10;
        }
        if (carry > 0)
            digits.push_back(carry);
    }
    std::string text;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it)
        text += static_cast<char>('0' + *it);
    return text;
}

} // namespace Host
