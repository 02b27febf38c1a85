// The "Expression" command on ordinary and hostile selections: what reaches the status bar and the
// clipboard. Megabyte and deeply nested selections run on the host's 1 MiB main thread, as on the
// editor's UI thread; the url built-in goes through WinINet to the tests' HTTP server on 127.0.0.1.
#include "../support/LocalHttpServer.h"
#include "Session.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <system_error>
#include <vector>

namespace Host
{
namespace
{
namespace fs = std::filesystem;

std::wstring ascii(const std::string& text)
{
    return {text.begin(), text.end()};
}

// The names in a folder, each after a blank, in order; "(no folder)" where a file or nothing stands.
std::string listing(const fs::path& folder)
{
    std::error_code error;
    std::set<std::string> names;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        names.insert(narrow(entry->path().filename().wstring()));
    std::string joined;
    for (const std::string& name : names)
        joined += " " + name;
    return error ? "(no folder)" : joined;
}

std::string content(const fs::path& file)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error)
        return "(no file)";
    std::string bytes(size, '\0');
    std::ifstream(file, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// url with a file name, where that file cannot or must not be replaced: a folder, empty or not, and an old
// file when the download fails. Each row gives 0, and leaves the targets, and their parent, as they were.
void runUrlIntoFileCases(Session& session, Checks& checks, const std::string& hello, const std::string& cut,
                         const std::string& closed)
{
    const fs::path scratch = fs::temp_directory_path() / ("morvantis-host-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(scratch); // what a failed run of a process with the same id left
    fs::create_directories(scratch / "empty");
    fs::create_directories(scratch / "full");
    std::ofstream(scratch / "full" / "kept") << "kept";
    std::ofstream(scratch / "old") << "old content";
    const struct
    {
        const char* name;
        const std::string& address;
        const char* target;
    } cases[] = {
        {"url into an empty folder", hello, "empty"},
        {"url into a folder holding a file", hello, "full"},
        {"url of a closed port into a file", closed, "old"},
        {"url of a cut body into a file", cut, "old"},
    };
    for (const auto& c : cases)
    {
        const std::string name = std::string(c.name) + ": ";
        // The address is ASCII; the path is what Windows calls it.
        const std::wstring statement = L"url('" + ascii(c.address) + L"', '" + (scratch / c.target).wstring() + L"')";
        std::printf("  %s\n", c.name);
        checks.equal(session.evaluate(narrow(statement)), L"Expr: " + statement + L" = 0\n", name + "status text");
        checks.equal(readClipboardText().value_or(L"(empty)"), L"0", name + "clipboard");
        const std::string beside = listing(scratch);
        checks.expect(beside == " empty full old", name + "nothing new beside the target; the folder holds" + beside);
        checks.expect(listing(scratch / "empty").empty() && listing(scratch / "full") == " kept",
                      name + "the folders hold what they held");
        checks.expect(content(scratch / "full" / "kept") == "kept" && content(scratch / "old") == "old content",
                      name + "the files hold what they held");
    }
    fs::remove_all(scratch);
}

} // namespace

void runCommandCases(Session& session, Checks& checks)
{
    constexpr size_t mebibyte = 1 << 20;
    const std::wstring busy = L"Expr: ... | ", empty = L"Expr: EMPTY";
    const std::wstring tooDeep = L"Expr ERROR: Expression nested too deeply.\n";
    std::mt19937 generator(20251125); // a fixed seed, so a failure can be replayed
    std::string randomBytes(mebibyte, '\0');
    for (char& byte : randomBytes)
        byte = static_cast<char>(generator() % 255 + 1); // no NUL, which the view hands out as a blank
    // 100 kB, 1 kB and 10 bytes on lines of their own; the view's text is the three of them in a row.
    const std::string three[] = {"1" + std::string(99998, ' ') + "+", "2" + std::string(998, ' ') + "+", "3+3+3+3+33"};
    const std::string threeText = three[0] + "\r\n" + three[1] + "\r\n" + three[2];
    const std::string lines = "1+\r\n20+2+\r\n300+3+\r\n4000+\r\n50000+50"; // five lengths, the last line longest
    const Morvantis::Testing::LocalHttpServer server({{"/hello", {200, "Hello from 127.0.0.1\n"}},
                                                      {"/missing", {404, "no such page\n"}},
                                                      {"/moved", {302, "/hello"}},
                                                      {"/cut", {200, std::string(100000, 'x'), true}}});
    const std::string closedAddress = Morvantis::Testing::LocalHttpServer({}).url("/"); // gone at once
    const auto url = [](const std::string& address) { return "url('" + address + "')"; };
    const std::string hello = url(server.url("/hello")), missing = url(server.url("/missing"));
    const std::string moved = url(server.url("/moved")), closed = url(closedAddress);
    // Overlong forms, an encoded surrogate, code points past U+FFFF and U+10FFFF, stray continuation bytes,
    // and a sequence cut short by the closing quote.
    const std::string notUtf8 =
        "print('\xC0\x80\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80\xF8\x88\x80\x80\x80\x80\xBF\xE2\x82')";
    const std::wstring randomStart = busy + L"Expr ERROR: Syntax error: \"";
    constexpr unsigned prefixOnly = 32; // of the status texts
    const std::vector<Range> all, backwards{{mebibyte, 0}}, cutAtTwo{{0, 28}};
    const std::vector<Range> threeRanges{{0, 100000}, {100002, 101002}, {101004, 101014}};
    // In order: each row that leaves the clipboard alone follows one with another clipboard text.
    const struct
    {
        const char* name;
        std::string text;                      // the case's bytes in the view's document
        std::wstring statuses;                 // every NPPM_SETSTATUSBAR text, joined
        std::optional<std::wstring> clipboard; // nullopt: left as it was
        std::vector<Range> ranges = {};        // none: all of the text
        unsigned how = 0;                      // for select(), and prefixOnly
    } cases[] = {
        {"backwards in the second view", "2^5", busy + L"Expr: 2^5 = 32\n", L"32", {{3, 0}}, secondView},
        {"empty main selection beside another", "1+2", empty, std::nullopt, {{0, 3}, {1, 1}}},
        // The view hands a NUL out as a blank.
        {"NUL, then 1 MiB, the whole document", '\0' + randomBytes, randomStart, L"ERROR", all,
         wholeDocument | prefixOnly},
        {"1 MiB, the whole document backwards", randomBytes, randomStart, L"ERROR", backwards,
         wholeDocument | prefixOnly},
        {"emoji, from a view whose size counts the NUL", "print('\xF0\x9F\x98\x80')",
         busy + L"Expr: print('\U0001F600') = 0\n", L"\U0001F600\n", all, sizeCountsNul},
        // The engine keeps the bytes; the status shows '#', and the framework copies no text at all.
        {"invalid UTF-8, from a view whose start is after its end", notUtf8,
         busy + L"Expr: print('#####\xD800\xFFFD\xFFFD####') = 0\n", L"", all, startAfterEnd},
        // The view's text is the three in a row, longer than the main selection.
        {"three selections: 100 kB, 1 kB, then a 10-byte main one", threeText,
         busy + L"Expr: " + ascii(three[0] + three[1] + three[2]) + L" = 48\n", L"48", threeRanges},
        // A rectangle's text carries CR LF after each line; its limits span other bytes than its lines hold.
        {"rectangle of whole lines", lines, busy + L"Expr: 1+\r\n20+2+\r\n300+3+\r\n4000+\r\n50000+50 = 54376\n",
         L"54376", all, rectangle},
        {"rectangle of zero width, at column 1", lines, empty, std::nullopt, {{1, 27}}, rectangle},
        {"rectangle of lines cut at column 2", lines,
         busy + L"Expr ERROR: Syntax error: \"1+\r\n20\r\n30\r\n40\r\n50;\"\n", L"ERROR", cutAtTwo, rectangle},
        // The body lands on the clipboard and its length on the status bar, an error status's too; a
        // redirection is followed; where nothing listens, there is no stream and no error.
        {"url", hello, busy + L"Expr: " + ascii(hello) + L" = 21\n", L"Hello from 127.0.0.1\n"},
        {"url of a missing page", missing, busy + L"Expr: " + ascii(missing) + L" = 13\n", L"no such page\n"},
        {"url redirected", moved, busy + L"Expr: " + ascii(moved) + L" = 21\n", L"Hello from 127.0.0.1\n"},
        {"url of a closed port", closed, busy + L"Expr: " + ascii(closed) + L" = 0\n", L"0"},
        {"1 MiB of (", std::string(mebibyte, '('), busy + tooDeep, L"ERROR"},
        {"1 MiB of - and !", std::string(mebibyte / 2, '-') + std::string(mebibyte / 2, '!') + "1", busy + tooDeep,
         L"ERROR"},
    };
    auto& editor = session.editor;
    for (const auto& c : cases)
    {
        const std::string name = std::string(c.name) + ": ";
        editor.select(c.text, c.ranges, c.how);
        const std::wstring before = readClipboardText().value_or(L"(empty)");

        std::printf("  %s\n", c.name); // a crash still shows which input it was
        session.run(0, c.name);

        std::wstring got;
        for (const std::wstring& status : editor.statuses)
            got += (got.empty() ? L"" : L" | ") + status;
        if (c.how & prefixOnly)
            got.resize(std::min(got.size(), c.statuses.size()));
        checks.equal(got, c.statuses, name + "status texts");
        checks.equal(readClipboardText().value_or(L"(empty)"), c.clipboard.value_or(before), name + "clipboard");
        for (const std::string& complaint : editor.complaints)
            checks.expect(false, name + complaint);
        editor.complaints.clear();
    }
    runUrlIntoFileCases(session, checks, server.url("/hello"), server.url("/cut"), closedAddress);
}

} // namespace Host
