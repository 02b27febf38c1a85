// The users' guide is the table: every `expr` block of docs/language.md runs through the "Expression"
// command, one selection per line, and every built-in must have an example there. The README's table of
// selection, status bar and clipboard runs the same way.
#include "Builtins.h"
#include "ExpressionCommand.h"
#include "Text.h"

#include <Morvantis/Expression.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace
{

using namespace Morvantis::Plugin;
using namespace Morvantis::ExpressionUtils;

struct Example
{
    int line;
    std::string selection;
    std::string expected;
};
using Block = std::vector<Example>;

const std::string kArrow = " \xE2\x86\x92 "; // " → "
const std::string kFailure = "ERROR: ";

// In a result, \n stands for a line feed and \\ for a backslash.
std::string unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\'))
            out += text[++i] == 'n' ? '\n' : '\\';
        else
            out += text[i];
    }
    return out;
}

std::vector<Block> readGuide()
{
    std::ifstream in(MORVANTIS_DOCS_DIR "/language.md");
    EXPECT_TRUE(in) << "cannot read the guide";
    std::vector<Block> blocks;
    bool inFence = false;
    bool inExamples = false;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
    {
        if (line.rfind("```", 0) == 0)
        {
            inExamples = !inFence && line == "```expr";
            inFence = !inFence;
            if (inExamples)
                blocks.emplace_back();
        }
        else if (inExamples && !line.empty())
        {
            const std::size_t arrow = line.find(kArrow);
            EXPECT_NE(arrow, std::string::npos) << "line " << number << " has no arrow: " << line;
            if (arrow != std::string::npos)
                blocks.back().push_back({number, line.substr(0, arrow), unescape(line.substr(arrow + kArrow.size()))});
        }
    }
    EXPECT_FALSE(inFence) << "a block is not closed";
    return blocks;
}

// The names a selection calls, lower-cased, outside its quoted strings; names and blanks as the parser reads them.
std::vector<std::string> calledNames(const std::string& text)
{
    const auto inName = [](char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == '_' || c == '|'; };
    std::vector<std::string> names;
    for (std::size_t i = 0; i < text.size();)
    {
        const char c = text[i];
        if (c == '\'' || c == '"' || c == '`')
        {
            const std::size_t close = text.find(c, i + 1);
            i = close == std::string::npos ? text.size() : close + 1;
        }
        else if ((isAsciiLetter(c) || c == '_' || c == '.') && (i == 0 || !inName(text[i - 1])))
        {
            std::size_t end = i + 1;
            while (end < text.size() && inName(text[end]))
                ++end;
            std::string name = text.substr(i, end - i);
            i = end;
            while (end < text.size() && isBlank(text[end]))
                ++end;
            if (end < text.size() && text[end] == '(')
            {
                for (char& n : name)
                    n = toLowerAscii(n);
                names.push_back(name);
            }
        }
        else
        {
            ++i;
        }
    }
    return names;
}

// The editor as the command sees it: one selection, the last status text and the clipboard.
class GuideEditor final : public Editor
{
  public:
    std::string selection;
    WideString status;
    std::string clipboard;

    std::string selectedText() override { return selection; }
    void setStatusText(const WideString& text) override { status = text; }
    void copyToClipboard(const std::string& text) override { clipboard = text; }
};

// One selection through the command, with the variables of evaluator.
GuideEditor run(const std::string& selection, Evaluator& evaluator)
{
    GuideEditor editor;
    editor.selection = selection;
    runExpressionCommand(editor, evaluator);
    return editor;
}

WideString wide(const std::string& utf8)
{
    WideString out;
    utf8ToWide(utf8, out);
    return out;
}

// The README's rows of three code cells: "| `selection` | `status bar` | `clipboard` |".
struct ReadmeRow
{
    int line;
    std::string selection;
    std::string status;
    std::string clipboard;
};

std::vector<ReadmeRow> readReadmeTable()
{
    std::ifstream in(MORVANTIS_DOCS_DIR "/../README.md");
    EXPECT_TRUE(in) << "cannot read the README";
    std::vector<ReadmeRow> rows;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
    {
        if (line.rfind("| `", 0) != 0)
            continue;
        std::vector<std::string> cells;
        for (std::size_t open = 2, close; (close = line.find("` |", open)) != std::string::npos; open = close + 4)
            cells.push_back(line.substr(open + 1, close - open - 1));
        EXPECT_EQ(cells.size(), 3u) << "README.md:" << number << ": " << line;
        if (cells.size() == 3)
            rows.push_back({number, cells[0], cells[1], cells[2]});
    }
    return rows;
}

void runExamples(const std::vector<Block>& blocks)
{
    for (const Block& block : blocks)
    {
        Evaluator evaluator; // each block starts with no variables
        for (const Example& example : block)
        {
            SCOPED_TRACE("docs/language.md:" + std::to_string(example.line) + ": " + example.selection);
            const GuideEditor editor = run(example.selection, evaluator);
            if (example.expected.rfind(kFailure, 0) == 0)
            {
                EXPECT_EQ(editor.clipboard, "ERROR");
                EXPECT_EQ(editor.status, wide("Expr ERROR: " + example.expected.substr(kFailure.size()) + "\n"));
            }
            else
            {
                EXPECT_NE(editor.status.rfind(u"Expr ERROR: ", 0), 0u)
                    << std::string(editor.status.begin(), editor.status.end());
                EXPECT_EQ(editor.clipboard, example.expected);
            }
        }
    }
}

TEST(LanguageGuide, EveryExampleGivesWhatItShows)
{
    const std::vector<Block> blocks = readGuide();
    ASSERT_FALSE(blocks.empty());
    // The examples hold in every time zone; these have odd offsets on both sides of UTC.
    for (const char* zone : {"UTC0", "XST-5:45", "YST3:30"})
    {
        SCOPED_TRACE(zone);
        setenv("TZ", zone, 1);
        tzset();
        runExamples(blocks);
    }
}

TEST(LanguageGuide, ShowsEveryBuiltinAndNoOther)
{
    std::set<std::string> missing = {"if", "for", "exec"};
    for (const Builtins::Entry* entry : Builtins::dispatchTable())
        missing.insert(entry->name);
    const std::set<std::string> known = missing;
    for (const Block& block : readGuide())
        for (const Example& example : block)
            for (const std::string& name : calledNames(example.selection))
            {
                missing.erase(name);
                // A name that is no built-in may only be shown being refused.
                if (known.count(name) == 0)
                {
                    EXPECT_NE(example.expected.find("Unknown function '"), std::string::npos)
                        << "docs/language.md:" << example.line << " calls '" << name << "', which is no built-in";
                }
            }
    for (const std::string& name : missing)
        ADD_FAILURE() << "the guide has no example of '" << name << "'";
}

TEST(LanguageGuide, ReadmeTableGivesWhatItShows)
{
    const std::vector<ReadmeRow> rows = readReadmeTable();
    ASSERT_FALSE(rows.empty());
    for (const ReadmeRow& row : rows)
    {
        SCOPED_TRACE("README.md:" + std::to_string(row.line) + ": " + row.selection);
        Evaluator evaluator;
        const GuideEditor editor = run(row.selection, evaluator);
        EXPECT_EQ(editor.status, wide(row.status + "\n"));
        EXPECT_EQ(editor.clipboard, row.clipboard);
    }
}

} // namespace
