// The "Expression" command on ordinary and hostile selections: what reaches the status bar and the
// clipboard. Megabyte and deeply nested selections run on the host's 1 MiB main thread, as on the
// editor's UI thread; the url built-in goes through WinINet to the tests' HTTP server on 127.0.0.1.
#include "../support/LocalHttpServer.h"
#include "Session.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <vector>

namespace Host
{

namespace
{

std::wstring joined(const std::vector<std::wstring>& texts)
{
    std::wstring out;
    for (const auto& text : texts)
        out += (out.empty() ? L"" : L" | ") + text;
    return out;
}

} // namespace

void runCommandCases(Session& session, Checks& checks)
{
    constexpr size_t megabyte = 1000000;
    const std::wstring busy = L"Expr: ...", empty = L"Expr: EMPTY";
    const std::wstring tooDeep = L"Expr ERROR: Expression nested too deeply.\n";
    const auto ascii = [](const std::string& text) { return std::wstring(text.begin(), text.end()); };
    std::mt19937 generator(20251125);                        // a fixed seed, so a failure can be replayed
    std::string randomBytes(megabyte, '\0'), manySelections; // in the latter, the main selection is the last "1"
    for (char& byte : randomBytes)
        byte = static_cast<char>(generator() % 255 + 1); // no NUL: the view's text would end at the first one
    for (size_t i = 0; i < megabyte / 2; ++i)
        manySelections += "1+";
    manySelections += "1";
    const Morvantis::Testing::LocalHttpServer server(
        {{"/hello", {200, "Hello from 127.0.0.1\n"}}, {"/missing", {404, "no such page\n"}}});
    const auto url = [](const std::string& address) { return "url('" + address + "')"; };
    const std::string hello = url(server.url("/hello")), missing = url(server.url("/missing"));
    const std::string closed = url(Morvantis::Testing::LocalHttpServer({}).url("/")); // gone at once
    // Overlong forms, an encoded surrogate, code points past U+FFFF and U+10FFFF, stray continuation bytes,
    // and a sequence cut short by the closing quote.
    const std::string notUtf8 =
        "print('\xC0\x80\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80\xF8\x88\x80\x80\x80\x80\xBF\xE2\x82')";
    // In order: each row that leaves the clipboard alone follows one with another clipboard text.
    const struct
    {
        const char* name;
        std::string selectedText;              // what the view hands out for SCI_GETSELTEXT
        std::vector<std::wstring> statuses;    // every NPPM_SETSTATUSBAR text; only the start with prefixOnly
        std::optional<std::wstring> clipboard; // nullopt: left as it was
        intptr_t mainLength = -1;              // end - start of the main selection; -1: the whole text
        bool prefixOnly = false;
        int view = 0;
        bool backwards = false;
    } cases[] = {
        {"backwards in the second view", "2^5", {busy, L"Expr: 2^5 = 32\n"}, L"32", -1, false, 1, true},
        {"NUL, then 1 MB", std::string(1, '\0') + randomBytes, {empty}, std::nullopt},
        {"empty main selection among others", "1+2", {empty}, std::nullopt, 0},
        {"emoji", "print('\xF0\x9F\x98\x80')", {busy, L"Expr: print('\U0001F600') = 0\n"}, L"\U0001F600\n"},
        // The engine keeps the bytes; the status shows '#', and the framework copies no text at all.
        {"invalid UTF-8", notUtf8, {busy, L"Expr: print('#####\xD800\xFFFD\xFFFD####') = 0\n"}, L""},
        {"1 MB of selections, the main one last",
         manySelections,
         {busy, L"Expr: " + ascii(manySelections) + L" = 500001\n"},
         L"500001",
         1},
        {"1 MB of random bytes", randomBytes, {busy, L"Expr ERROR: Syntax error: \""}, L"ERROR", -1, true},
        // A rectangle's limits span more bytes than its lines hold.
        {"rectangle", "1+\r\n2+\r\n3\r\n", {busy, L"Expr: 1+\r\n2+\r\n3 = 6\n"}, L"6", 100},
        // The body lands on the clipboard and its length on the status bar, an error status's too; where
        // nothing listens, there is no stream and no error.
        {"url", hello, {busy, L"Expr: " + ascii(hello) + L" = 21\n"}, L"Hello from 127.0.0.1\n"},
        {"url of a missing page", missing, {busy, L"Expr: " + ascii(missing) + L" = 13\n"}, L"no such page\n"},
        {"url of a closed port", closed, {busy, L"Expr: " + ascii(closed) + L" = 0\n"}, L"0"},
        {"1 MB of (", std::string(megabyte, '('), {busy, tooDeep}, L"ERROR"},
        {"1 MB of -", std::string(megabyte, '-') + "1", {busy, tooDeep}, L"ERROR"},
        {"1 MB of !", std::string(megabyte, '!') + "1", {busy, tooDeep}, L"ERROR"},
    };
    auto& editor = session.editor;
    for (const auto& c : cases)
    {
        const std::string name = std::string(c.name) + ": ";
        editor.select(c.selectedText, c.view, c.backwards);
        if (c.mainLength >= 0)
            editor.views[c.view].end = editor.views[c.view].start + c.mainLength;
        const std::wstring before = readClipboardText().value_or(L"(empty)");

        std::printf("  %s\n", c.name); // a crash still shows which input it was
        session.runExpression();

        const std::wstring expected = joined(c.statuses);
        std::wstring got = joined(editor.statuses);
        if (c.prefixOnly)
            got.resize(std::min(got.size(), expected.size()));
        checks.equal(got, expected, name + "status texts");
        checks.equal(readClipboardText().value_or(L"(empty)"), c.clipboard.value_or(before), name + "clipboard");
    }
}

} // namespace Host
