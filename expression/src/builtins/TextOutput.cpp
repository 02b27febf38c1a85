// print and clear: the text output of the evaluation.
#include "../Builtins.h"
#include "../Text.h"

#include <Morvantis/TextConversion.h>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
// One line per argument; a number as "%f" writes it, less its trailing zeros.
double print(const ValueList& args, std::string& textOut)
{
    for (const Value& arg : args)
    {
        if (arg.isString())
        {
            textOut += arg.text;
        }
        else
        {
            std::string text = fixedDecimals(arg.number, 6);
            stripTrailingZeros(text);
            textOut += text;
        }
        textOut += '\n';
    }
    return 0.0;
}

double clear(const ValueList& args, std::string& textOut)
{
    expectCount("clear", args, 0);
    textOut.clear();
    return 0.0;
}

constexpr Entry kEntries[] = {
    {"print", print},
    {"clear", clear},
};
} // namespace

const Family textOutput(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
