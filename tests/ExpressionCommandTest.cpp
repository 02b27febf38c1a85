// The editor boundary without Windows: the menu command against a fake editor, the calculator
// exports, and the selection read against a fake Scintilla view.
#include "ExpressionCommand.h"
#include "CalculatorExports.h"
#include "EditorMessages.h"

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
using Statuses = std::vector<WideString>;
using namespace std::string_literals;

class FakeEditor final : public Editor
{
  public:
    std::string selection;
    Statuses statuses;
    std::optional<std::string> clipboard;
    bool throwOnSelection = false, throwOnStatus = false;

    std::string selectedText() override { return throwOnSelection ? throw std::runtime_error("gone") : selection; }
    void setStatusText(const WideString& text) override
    {
        if (throwOnStatus)
            throw std::runtime_error("gone");
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
    const WideString busy = u"Expr: ...";
    // In order, on one evaluator: the variable outlives its command. The editor host checks the
    // plain sum, the empty selection and a failure after a result against the DLL.
    const struct
    {
        const char* selection;
        Statuses statuses;
        std::string clipboard;
    } cases[] = {
        {"1/0", {busy, u"Expr: 1/0 = ---\n"}, "---"},
        // The error line does not quote the statement.
        {"sqrt()", {busy, u"Expr ERROR: Function 'sqrt' expects 1 parameters.\n"}, "ERROR"},
        // textOut wins over the number on the clipboard.
        {"print('hi'); 5", {busy, u"Expr: print('hi') = 0\n", u"Expr: 5 = 5\n"}, "hi\n"},
        {"x = 2; 3 * x", {busy, u"Expr: x = 2 = 2\n", u"Expr: 3 * x = 6\n"}, "6"},
        {"x", {busy, u"Expr: x = 2\n"}, "2"},
    };
    FakeEditor editor;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.selection);
        editor.run(c.selection);
        EXPECT_EQ(editor.statuses, c.statuses);
        EXPECT_EQ(editor.clipboard, c.clipboard);
    }
}

// The command is noexcept: an exception reaching its end would terminate this test.
TEST(ExpressionCommand, AnEditorThatThrowsEndsTheCommandQuietly)
{
    FakeEditor editor;
    editor.throwOnSelection = true;
    editor.run("1");
    EXPECT_TRUE(editor.statuses.empty());
    editor.throwOnSelection = false;
    editor.throwOnStatus = true;
    editor.run("1");
    editor.run("");
}

TEST(CalculatorExports, ReturnLastValueOrNaN)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        const char* text;
        double expected;
    } cases[] = {{"1; 2", 2.0}, {"", nan}, {" \t\r\n", 0.0}, {"1/0", HUGE_VAL}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        const WideString wide(c.text, c.text + std::strlen(c.text));
        for (const double got : {calculateUtf8(c.text), calculateWide(wide.c_str())})
            EXPECT_TRUE(std::isnan(c.expected) ? std::isnan(got) : got == c.expected) << got;
    }
    // U+1F600 is 4 bytes in UTF-8 but two 3-byte surrogates once taken unit by unit.
    EXPECT_EQ(calculateUtf8("md5('\xF0\x9F\x98\x80')"), 4.0);
    EXPECT_EQ(calculateWide(u"md5('\U0001F600')"), 6.0);
}

// Answers like a Scintilla view: the selected text may be longer than the main selection
// (several selections), and the size query may or may not count the NUL.
class FakeViews final : public MessageSender
{
  public:
    struct View
    {
        intptr_t start = 0, end = 0;
        std::string text;
        bool sizeCountsNul = true;
        int sizeQueries = 0, copies = 0;
    };

    View views[2];
    EditorWindows windows{this, &views[0], &views[1]};

    intptr_t send(WindowHandle window, unsigned message, uintptr_t, intptr_t lParam) override
    {
        if (window == this)
        {
            EXPECT_EQ(message, NPPM_GETCURRENTSCINTILLA);
            *reinterpret_cast<int*>(lParam) = 0;
            return 1;
        }
        auto& view = *static_cast<View*>(window);
        switch (message)
        {
        case SCI_GETSELECTIONSTART:
            return view.start;
        case SCI_GETSELECTIONEND:
            return view.end;
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
        default:
            ADD_FAILURE() << "unexpected message " << message;
            return 0;
        }
    }
};

TEST(ReadSelection, TakesTheCurrentViewsWholeSelectedTextInABufferThatHoldsIt)
{
    const std::string several = "1+2;10*10" + std::string(5000, 'x');
    const struct
    {
        const char* name;
        intptr_t start, end;
        std::string text;
        bool sizeCountsNul;
        std::string expected;
    } cases[] = {
        {"several selections", 0, 2, several, true, several},
        {"size without NUL", 0, 2, "1+2;10*10", false, "1+2;10*10"},
        {"cut at the first NUL", 0, 5, "1+2\0"s + "9", true, "1+2"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        FakeViews fake;
        auto& view = fake.views[0];
        view = {c.start, c.end, c.text, c.sizeCountsNul, 0, 0};
        EXPECT_EQ(readSelection(fake, fake.windows), c.expected);
        EXPECT_EQ(view.sizeQueries, 1);
        EXPECT_EQ(view.copies, 1);
    }
}

} // namespace
