#include "Session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <vector>

namespace Host
{

namespace
{

// From a fixed seed, so a failure can be replayed. No NUL: the view's text would end at the first one.
std::string randomBytes(size_t count)
{
    std::mt19937 generator(20251125);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator() % 255 + 1);
    return bytes;
}

std::string repeated(const std::string& piece, size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// Texts of a megabyte and more, cut for the log.
std::string shortened(const std::vector<std::wstring>& texts)
{
    std::string out;
    for (const auto& text : texts)
        out += "\"" +
               printable(text.size() > 160 ? text.substr(0, 80) + L"..." + text.substr(text.size() - 80) : text) +
               "\" (" + std::to_string(text.size()) + " units) ";
    return out;
}

} // namespace

void runHostileCases(Session& session, Checks& checks)
{
    constexpr size_t megabyte = 1000000;
    const std::wstring busy = L"Expr: ...", empty = L"Expr: EMPTY";
    const std::string sum = "1" + repeated("+1", megabyte - 1);
    const std::string manySelections = repeated("1+", megabyte / 2) + "1"; // the main selection is the last "1"
    // Overlong forms, an encoded surrogate, code points past U+FFFF and U+10FFFF, stray continuation bytes,
    // and a sequence cut short by the closing quote.
    const std::string notUtf8 =
        "'\xC0\x80\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80\xF8\x88\x80\x80\x80\x80\xBF\xE2\x82'";
    // In order: each row expected to leave the clipboard alone follows one with another clipboard text.
    const struct
    {
        const char* name;
        std::string selectedText;              // what the view hands out for SCI_GETSELTEXT
        std::vector<std::wstring> statuses;    // the last is only the text's start when lastIsStart
        std::optional<std::wstring> clipboard; // nullopt: left as it was
        bool lastIsStart = false;
        intptr_t mainLength = -1;  // end - start of the main selection; -1: the whole text
        bool sizeCountsNul = true; // views differ on whether the size they report counts the NUL
    } cases[] = {
        {"1 MB of random bytes", randomBytes(megabyte), {busy, L"Expr ERROR: Syntax error: \""}, L"ERROR", true},
        {"1 MB of (", std::string(megabyte, '('), {busy, L"Expr ERROR: Expression nested too deeply.\n"}, L"ERROR"},
        {"1,000,000-term sum", sum, {busy, L"Expr: " + widen(sum) + L" = 1000000\n"}, L"1000000"},
        {"NUL, then 1 MB", std::string(1, '\0') + randomBytes(megabyte), {empty}, std::nullopt, false, -1, false},
        {"1 MB of selections, the main one last",
         manySelections,
         {busy, L"Expr: " + widen(manySelections) + L" = 500001\n"},
         L"500001",
         false,
         1,
         false},
        {"empty main selection among others", "1+2", {empty}, std::nullopt, false, 0},
        // A rectangle's limits span more bytes than its lines hold.
        {"rectangle", "1+\r\n2+\r\n3\r\n", {busy, L"Expr: 1+\r\n2+\r\n3 = 6\n"}, L"6", false, 100},
        {"invalid UTF-8 in a string", notUtf8, {busy, L"Expr: '#####\xD800\xFFFD\xFFFD####' = ---\n"}, L"---"},
        {"invalid UTF-8 outside a string",
         "1+2; \xFE\xFF\x80",
         {busy, L"Expr: 1+2 = 3\n", L"Expr ERROR: Syntax error: \"###;\"\n"},
         L"ERROR"},
    };
    auto& editor = session.editor;
    for (const auto& c : cases)
    {
        const std::string name = std::string(c.name) + ": ";
        editor.select(c.selectedText);
        auto& view = editor.views[0];
        if (c.mainLength >= 0)
            view.end = view.start + c.mainLength;
        view.sizeCountsNul = c.sizeCountsNul;
        const std::wstring before = readClipboardText().value_or(L"(empty)");

        std::printf("  %-40s", c.name);
        std::fflush(stdout); // a crash still shows which input it was
        const auto started = std::chrono::steady_clock::now();
        session.runExpression();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
        std::printf(" %8.1f ms\n", took.count());

        auto statuses = editor.statuses;
        if (c.lastIsStart && !statuses.empty())
            statuses.back().resize(std::min(statuses.back().size(), c.statuses.back().size()));
        checks.expect(statuses == c.statuses, name + "status texts\n    got:      " + shortened(statuses) +
                                                  "\n    expected: " + shortened(c.statuses));
        checks.expectEqual(readClipboardText().value_or(L"(empty)"), c.clipboard.value_or(before), name + "clipboard");
    }
}

} // namespace Host
