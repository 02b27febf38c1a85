// What the editor host under Wine cannot reach or reaches poorly: the portable command, the calculator
// exports and the selection read, in the native lanes (sanitizers included).
#include "CalculatorExports.h"
#include "EditorMessages.h"
#include "ExpressionCommand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using namespace Morvantis::Plugin;
using Morvantis::ExpressionUtils::WideString;

// The editor, its selection read through the view messages as on Windows. The view has several
// selections: its text runs past the main one (the first two bytes), the size it reports leaves out
// the NUL, and the copy writes the whole text and its NUL.
class FakeEditor final : public Editor, public MessageSender
{
  public:
    std::string text;
    std::vector<WideString> statuses;
    std::string clipboard = "(untouched)";
    bool throws = false;

    std::string selectedText() override
    {
        if (throws)
            throw std::runtime_error("gone");
        return readSelection(*this, {this, &text, nullptr}); // the main view's handle is its text
    }
    void setStatusText(const WideString& status) override { statuses.push_back(status); }
    void copyToClipboard(const std::string& copied) override { clipboard = copied; }

    intptr_t send(WindowHandle window, unsigned message, uintptr_t, intptr_t lParam) override
    {
        if (window == this)
        {
            *reinterpret_cast<int*>(lParam) = 0; // the main view is current
            return 1;
        }
        EXPECT_EQ(window, &text) << "a message to the view that is not current";
        if (message == SCI_GETSELTEXT && lParam != 0)
            std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
        return message == SCI_GETSELTEXT ? static_cast<intptr_t>(text.size()) : message == SCI_GETSELECTIONEND ? 2 : 0;
    }
};

TEST(ExpressionCommand, ReportsEachStatementOnStatusBarAndClipboard)
{
    const struct
    {
        std::string text;
        std::vector<WideString> statuses;
        std::string clipboard;
    } cases[] = {
        // textOut wins over the number on the clipboard; the text ends at its first NUL.
        {std::string("print('hi'); 5\0+1", 17), {u"Expr: ...", u"Expr: print('hi') = 0\n", u"Expr: 5 = 5\n"}, "hi\n"},
        // The error line does not quote the statement.
        {"sqrt()", {u"Expr: ...", u"Expr ERROR: Function 'sqrt' expects 1 parameters.\n"}, "ERROR"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        FakeEditor editor;
        editor.text = c.text;
        onExpressionCommand(editor);
        EXPECT_EQ(editor.statuses, c.statuses);
        EXPECT_EQ(editor.clipboard, c.clipboard);
    }
    // The command is noexcept: an exception reaching its end would terminate this test.
    FakeEditor throwing;
    throwing.throws = true;
    onExpressionCommand(throwing);
    EXPECT_TRUE(throwing.statuses.empty());
}

TEST(CalculatorExports, ReturnLastValueOrNaN)
{
    const struct
    {
        const char* text;
        double expected;
    } cases[] = {{"1; 2", 2.0}, {"", std::nan("")}, {" \t\r\n", 0.0}, {"1/0", HUGE_VAL}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        const WideString wide(c.text, c.text + std::strlen(c.text));
        for (const double got : {calculateUtf8(c.text), calculateWide(wide.c_str())})
            EXPECT_TRUE(std::isnan(c.expected) ? std::isnan(got) : got == c.expected) << got;
    }
}

} // namespace
