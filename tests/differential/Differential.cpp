// The native half of the differential run: writes seeded statements, evaluates them with the same
// code the DLL runs (the exprCalc body and the "Expression" command), and compares with the DLL's
// results from the editor host under Wine.
//   Differential generate <seed> <statements> <sample>   statements for exprCalc, a sample for the command
//   Differential evaluate <statements> <results> <sample> <command-results>   as the host's differential
//   Differential compare <statements> <native> <dll>     prints every difference; fails on any
#include "CalculatorExports.h"
#include "DifferentialFormat.h"
#include "Editor.h"
#include "ExpressionCommand.h"

#include <cmath>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>

namespace
{

using Morvantis::ExpressionUtils::WideString;

// Values on some built-in's boundary, as statement texts: signed zeros, subnormals, the ends of the
// range, integer widths, the last exact integers, the calendar's last second, the non-finite ones.
// Bracketed where they could not stand before an operator at the start of a statement.
const char* const kEdges =
    "0 (-0) 1 (-1) 2 10 0.1 1e-310 (-1e-310) 5e-324 2.2250738585072014e-308 1e308 (-1e308) "
    "1.7976931348623157e308 1e6 1e10 1e15 1e22 (-1e22) 1e300 2147483647 2147483648 (-2147483649) "
    "4294967295 4294967296 9007199254740993 9223372036854775808 3.141592653589793 "
    "1.5707963267948966 32535244799 32535244800 (1/0) (-1/0) (nan()) (0/0)";
// Uniform values are drawn at one of these scales, from subnormal-adjacent to near the top of the range.
const double kScales[] = {1e-300, 1e-20, 1e-5, 1, 10, 1e3, 1e6, 1e10, 1e15, 1e20, 1e22, 1e100, 1e300};

// Every numeric built-in and operator, then a variable and grouping: each shape once for every name in
// its list. "$" stands for the name, "@" for a value, "#" for a small count of decimals or bits. A name
// that opens a statement takes no operator after it, hence "($)".
const std::pair<const char*, const char*> kFamilies[] = {
    {"$(@)", "abs sqrt sqr sin cos tan asin acos atan rad2deg deg2rad exp exp10 exp2 log log10 log2 exists notexists "
             "round roundup floor ceil trunc not lnot millisec rgb2hue rgb2sat rgb2lum"},
    {"$(@, @)", "atan2 pow def round center and or xor nand nor xnor shl shr land lor lxor lnand lnor lxnor eq ne gt "
                "lt ge le max"},
    {"$(@, @, @)", "defnz inc dec min if"},
    {"$(@, @, @, @)", "centerex"},
    {"$(@, #)", "round shl shr"},
    {"@ $ @", "+ - * / % ^ == != > >= < <= && ||"},
    {"$@", "- !"},
    {"$ = @; ($) * @ - $", "v"},
    {"(@ + @) * @ $ @", "/"}};
const char* const kWords[] = {"0 + inf", "0 + INFINITY", "1 * nan", "1 * NaN(12_ab)", "0 + Inf"};
const char* const kCalendarFields[] = {"year", "month", "day", "hour", "minute", "second"};

std::vector<std::string> split(const char* text)
{
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// Negative values parenthesised, so that they stay one operand next to any operator.
std::string valueText(double v)
{
    return std::signbit(v) ? "(" + Differential::shortestText(v) + ")" : Differential::shortestText(v);
}

int generate(unsigned long long seed, const std::string& statementsPath, const std::string& samplePath)
{
    std::mt19937_64 random(seed);
    const auto pick = [&random](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    std::vector<std::string> edges = split(kEdges);
    // Halves and their neighbours: where rounding goes one way or the other.
    for (const double half : {-3.5, -2.5, -1.5, -0.5, 0.5, 1.5, 2.5, 3.5, 4.5, 1e15 + 0.5})
        for (const double v : {half, std::nextafter(half, -INFINITY), std::nextafter(half, INFINITY)})
            edges.push_back(valueText(v));
    const auto uniform = [&random](double low, double high)
    { return std::uniform_real_distribution<double>(low, high)(random); };
    const auto scaled = [&]
    {
        const double scale = kScales[pick(std::size(kScales))];
        return uniform(-scale, scale);
    };
    const auto fill = [&](const std::string& shape, const std::string& name, bool edgesOnly)
    {
        std::string out;
        for (const char c : shape)
            if (c == '$')
                out += name;
            else if (c == '@')
                out += edgesOnly || pick(2) == 0 ? edges[pick(edges.size())] : valueText(scaled());
            else if (c == '#')
                out += std::to_string(static_cast<int>(pick(24)) - 4);
            else
                out += c;
        return out;
    };

    std::vector<std::string> statements;
    for (const auto& [shape, names] : kFamilies)
        for (const std::string& name : split(names))
            for (int i = 0; i < 600; ++i)
                statements.push_back(fill(shape, name, i < 150));
    // Number texts: decimal with up to 25 digits and any exponent, hexadecimal with a binary exponent,
    // a long expansion near a tie, or a word that reads as a number inside an expression.
    for (int i = 0; i < 6000; ++i)
    {
        const std::size_t kind = pick(5);
        const bool hex = kind == 2;
        std::string text, set = hex ? "0123456789abcdefABCDEF" : "0123456789";
        for (const std::size_t count = 1 + pick(hex ? 30 : 25); text.size() < count;)
            text += set[pick(set.size())];
        if (pick(2) == 0)
            text.insert(pick(text.size() + 1), ".");
        if (pick(2) == 0)
            text += std::string(pick(2) == 0 ? (hex ? "p" : "e") : (hex ? "P-" : "E-")) +
                    std::to_string(pick(hex ? 1100 : 330));
        char tie[64];
        std::snprintf(tie, sizeof tie, "%.30e", std::fabs(scaled()));
        statements.push_back(kind == 4 ? kWords[pick(std::size(kWords))] : kind == 3 ? tie : (hex ? "0x" : "") + text);
    }
    // Calendar fields across the range the Windows runtime converts and just outside it.
    for (int i = 0; i < 3000; ++i)
    {
        const double t = i % 10 == 0 ? 32535244798.5 + static_cast<double>(pick(3)) : uniform(-1e9, 3.3e10);
        statements.push_back(std::string(kCalendarFields[i % 6]) + "(" + valueText(t) + ")");
    }
    // Text to number, behind a number for the same reason as "($)".
    for (int i = 0; i < 200; ++i)
        statements.push_back("0 + hex(\"" + std::to_string(pick(1u << 30)) + "\") + bin(\"1011\") + chr(\"Az\")");

    std::ofstream all(statementsPath, std::ios::binary), sample(samplePath, std::ios::binary);
    for (std::size_t i = 0; i < statements.size(); ++i)
    {
        all << statements[i] << '\n';
        if (i % 200 == 0)
            sample << statements[i] << '\n';
    }
    return all && sample ? 0 : 1;
}

// The editor of the native "Expression" command; called with a statement, it runs the command on it.
class RecordingEditor final : public Morvantis::Plugin::Editor
{
  public:
    std::string selectedText() override { return selection; }
    void setStatusText(const WideString& text) override { statuses.push_back(text); }
    void copyToClipboard(const std::string& text) override { Morvantis::ExpressionUtils::utf8ToWide(text, clipboard); }

    std::string operator()(const std::string& statement)
    {
        selection = statement;
        statuses.clear();
        Morvantis::Plugin::onExpressionCommand(*this);
        return Differential::commandLine(statuses, clipboard);
    }

    std::string selection;
    std::vector<WideString> statuses;
    WideString clipboard = u"(none)";
};

int compare(const std::string& statementsPath, const std::string& nativePath, const std::string& dllPath)
{
    const auto statements = Differential::readLines(statementsPath);
    auto native = Differential::readLines(nativePath), dll = Differential::readLines(dllPath);
    // A half that stopped early differs from its first missing line on.
    native.resize(statements.size(), "(missing)");
    dll.resize(statements.size(), "(missing)");
    std::size_t differences = 0;
    for (std::size_t i = 0; i < statements.size(); ++i)
        if (native[i] != dll[i] && ++differences <= 50)
            std::cout << "DIFFERENT: " << statements[i] << "\n  native " << native[i] << "\n  DLL    " << dll[i]
                      << '\n';
    std::cout << "differential: " << statements.size() << " compared, " << differences << " different\n";
    return differences == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "generate")
        return generate(std::stoull(args[1]), args[2], args[3]);
    if (args.size() == 5 && args[0] == "evaluate")
        return Differential::evaluate({args.begin() + 1, args.end()}, Morvantis::Plugin::calculateUtf8,
                                      RecordingEditor());
    if (args.size() == 4 && args[0] == "compare")
        return compare(args[1], args[2], args[3]);
    std::cerr << "usage: Differential generate|evaluate|compare <arguments as at the head of Differential.cpp>\n";
    return 2;
}
