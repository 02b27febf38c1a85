// The editor boundary without Windows: the menu command against a fake editor, the calculator
// exports, and the selection read against a fake Scintilla view.
#include "CalculatorExports.h"
#include "EditorMessages.h"
#include "ExpressionCommand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using namespace Morvantis::Plugin;
using Morvantis::ExpressionUtils::WideString;

WideString w(const char16_t* text)
{
    return WideString(text);
}

class FakeEditor final : public Editor
{
public:
    std::string selection;
    std::vector<WideString> statuses;
    std::optional<std::string> clipboard;
    bool throwOnSelection = false;
    bool throwOnStatus = false;

    std::string selectedText() override
    {
        if (throwOnSelection)
            throw std::runtime_error("view gone");
        return selection;
    }
    void setStatusText(const WideString& text) override
    {
        if (throwOnStatus)
            throw std::runtime_error("status bar gone");
        statuses.push_back(text);
    }
    void copyToClipboard(const std::string& text) override { clipboard = text; }

    void run(const std::string& text)
    {
        selection = text;
        statuses.clear();
        clipboard.reset();
        onExpressionCommand(*this);
    }
};

TEST(ExpressionCommand, ReportsEachStatementOnStatusBarAndClipboard)
{
    struct Case
    {
        const char* selection;
        std::vector<WideString> statuses;
        const char* clipboard;
    };
    const Case cases[] = {
        {"1+2", {w(u"Expr: ..."), w(u"Expr: 1+2 = 3\n")}, "3"},
        {"1/0", {w(u"Expr: ..."), w(u"Expr: 1/0 = ---\n")}, "---"},
        {"sqrt()", {w(u"Expr: ..."), w(u"Expr ERROR: Function 'sqrt' expects 1 parameters.\n")}, "ERROR"},
        // textOut wins over the number on the clipboard and accumulates across statements.
        {"print('hi'); 5", {w(u"Expr: ..."), w(u"Expr: print('hi') = 0\n"), w(u"Expr: 5 = 5\n")}, "hi\n"},
        {"print('a'); print('b')",
         {w(u"Expr: ..."), w(u"Expr: print('a') = 0\n"), w(u"Expr: print('b') = 0\n")},
         "a\nb\n"},
        // The first failure ends the text; the error line does not quote the statement.
        {"1; sqrt(); 3",
         {w(u"Expr: ..."), w(u"Expr: 1 = 1\n"), w(u"Expr ERROR: Function 'sqrt' expects 1 parameters.\n")},
         "ERROR"},
        {"2/3", {w(u"Expr: ..."), w(u"Expr: 2/3 = 0.666666666667\n")}, "0.666666666667"},
        // Astral characters reach the status bar as a surrogate pair.
        {"print('\xF0\x9F\x98\x80')", {w(u"Expr: ..."), w(u"Expr: print('\U0001F600') = 0\n")}, "\xF0\x9F\x98\x80\n"},
        // Bytes that are no UTF-8 show as '#', one per refused byte.
        {"print('a\xFF\xC3(')", {w(u"Expr: ..."), w(u"Expr: print('a##(') = 0\n")}, "a\xFF\xC3(\n"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.selection);
        FakeEditor editor;
        editor.run(c.selection);
        EXPECT_EQ(editor.statuses, c.statuses);
        ASSERT_TRUE(editor.clipboard.has_value());
        EXPECT_EQ(*editor.clipboard, c.clipboard);
    }
}

TEST(ExpressionCommand, EmptySelectionLeavesClipboardAlone)
{
    FakeEditor editor;
    editor.run("");
    EXPECT_EQ(editor.statuses, std::vector<WideString>{w(u"Expr: EMPTY")});
    EXPECT_FALSE(editor.clipboard.has_value());
}

TEST(ExpressionCommand, VariablesPersistBetweenCommands)
{
    FakeEditor editor;
    editor.run("cmdKeep = 2; 3 * cmdKeep");
    EXPECT_EQ(editor.statuses.back(), w(u"Expr: 3 * cmdKeep = 6\n"));
    editor.run("cmdKeep");
    EXPECT_EQ(editor.statuses.back(), w(u"Expr: cmdKeep = 2\n"));
    EXPECT_EQ(editor.clipboard, "2");
}

TEST(ExpressionCommand, NoExceptionLeavesTheCommand)
{
    FakeEditor editor;
    editor.throwOnSelection = true;
    EXPECT_NO_THROW(editor.run("1"));
    EXPECT_TRUE(editor.statuses.empty());

    editor.throwOnSelection = false;
    editor.throwOnStatus = true;
    EXPECT_NO_THROW(editor.run("1"));
    EXPECT_NO_THROW(editor.run(""));
}

TEST(CalculatorExports, ReturnLastValueOrNaN)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"1+2", 3.0},   {"", nan},          {"   ", 0.0},           {" \t\r\n", 0.0},
        {"1; 2", 2.0},  {"1; sqrt()", nan}, {"print('a'); 7", 7.0}, {"1/0", inf},
        {"5;;", 0.0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        const double utf8 = calculateUtf8(c.text);
        WideString wide(c.text, c.text + std::strlen(c.text));
        const double utf16 = calculateWide(wide.c_str());
        for (const double got : {utf8, utf16})
        {
            if (std::isnan(c.expected))
                EXPECT_TRUE(std::isnan(got)) << got;
            else
                EXPECT_EQ(got, c.expected);
        }
    }
    EXPECT_TRUE(std::isnan(calculateUtf8(nullptr)));
    EXPECT_TRUE(std::isnan(calculateWide(nullptr)));
}

TEST(CalculatorExports, WideTextEncodesEachUnitByItself)
{
    // U+1F600 is 4 bytes in UTF-8 but two 3-byte surrogates once taken unit by unit.
    EXPECT_EQ(calculateUtf8("md5('\xF0\x9F\x98\x80')"), 4.0);
    EXPECT_EQ(calculateWide(u"md5('\U0001F600')"), 6.0);
}

TEST(CalculatorExports, ThreeEvaluatorsNeverShareVariables)
{
    FakeEditor editor;
    editor.run("sepVar = 1");
    EXPECT_TRUE(std::isnan(calculateUtf8("sepVar")));
    EXPECT_TRUE(std::isnan(calculateWide(u"sepVar")));

    EXPECT_EQ(calculateUtf8("sepVar = 5"), 5.0);
    EXPECT_EQ(calculateUtf8("sepVar"), 5.0);
    EXPECT_TRUE(std::isnan(calculateWide(u"sepVar")));
    EXPECT_EQ(calculateWide(u"sepVar = 7"), 7.0);

    editor.run("sepVar");
    EXPECT_EQ(editor.statuses.back(), w(u"Expr: sepVar = 1\n"));
    EXPECT_EQ(calculateUtf8("sepVar"), 5.0);
    EXPECT_EQ(calculateWide(u"sepVar"), 7.0);
    // Assignments before a failing statement stay.
    EXPECT_TRUE(std::isnan(calculateUtf8("sepKept = 3; sqrt()")));
    EXPECT_EQ(calculateUtf8("sepKept"), 3.0);
}

// Answers like a Scintilla view: the selected text may be longer than the main selection
// (several selections), and the size query may or may not count the NUL.
class FakeViews final : public MessageSender
{
public:
    struct View
    {
        intptr_t start = 0;
        intptr_t end = 0;
        std::string text;
        bool sizeCountsNul = true;
        int sizeQueries = 0;
        int copies = 0;
    };

    int current = 0;
    View views[2];
    EditorWindows windows{&editorTag, &views[0], &views[1]};

    intptr_t send(WindowHandle window, unsigned message, uintptr_t, intptr_t lParam) override
    {
        if (window == &editorTag)
        {
            EXPECT_EQ(message, NPPM_GETCURRENTSCINTILLA);
            *reinterpret_cast<int*>(lParam) = current;
            return 1;
        }
        auto& view = *static_cast<View*>(window);
        switch (message)
        {
        case SCI_GETSELECTIONSTART: return view.start;
        case SCI_GETSELECTIONEND: return view.end;
        case SCI_GETSELTEXT:
            if (lParam == 0)
            {
                ++view.sizeQueries;
                return static_cast<intptr_t>(view.text.size() + (view.sizeCountsNul ? 1 : 0));
            }
            ++view.copies;
            // Writes the whole text and its NUL, as the real view does: the buffer must hold it.
            std::memcpy(reinterpret_cast<char*>(lParam), view.text.c_str(), view.text.size() + 1);
            return static_cast<intptr_t>(view.text.size());
        default: ADD_FAILURE() << "unexpected message " << message; return 0;
        }
    }

private:
    char editorTag = 0;
};

TEST(ReadSelection, TakesTheCurrentViewsWholeSelectedText)
{
    struct Case
    {
        const char* name;
        int current;
        intptr_t start, end;
        std::string text;
        bool sizeCountsNul;
        std::string expected;
    };
    const std::string longText(5000, 'x');
    const Case cases[] = {
        {"main view", 0, 3, 6, "1+2", true, "1+2"},
        {"second view", 1, 3, 6, "4*5", true, "4*5"},
        {"made backwards", 0, 6, 3, "1+2", true, "1+2"},
        {"several selections", 0, 0, 2, "1+2;10*10" + longText, true, "1+2;10*10" + longText},
        {"size without NUL", 0, 0, 2, "1+2;10*10", false, "1+2;10*10"},
        {"cut at the first NUL", 0, 0, 5, std::string("1+2\0" "9", 5), true, "1+2"},
        {"first byte NUL", 0, 0, 2, std::string("\0" "1", 2), true, ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        FakeViews fake;
        fake.current = c.current;
        auto& view = fake.views[c.current];
        view = {c.start, c.end, c.text, c.sizeCountsNul, 0, 0};
        fake.views[1 - c.current].text = "wrong view";
        fake.views[1 - c.current].end = 10;
        EXPECT_EQ(readSelection(fake, fake.windows), c.expected);
        EXPECT_EQ(view.sizeQueries, 1);
        EXPECT_EQ(view.copies, 1);
    }
}

TEST(ReadSelection, EmptyMainSelectionReadsNothing)
{
    FakeViews fake;
    fake.views[0] = {7, 7, "stale", true, 0, 0};
    EXPECT_EQ(readSelection(fake, fake.windows), "");
    EXPECT_EQ(fake.views[0].sizeQueries + fake.views[0].copies, 0);
}

} // namespace
