// The native half of the differential run: writes seeded statements, evaluates them with the same
// code the DLL runs (the exprCalc body and the "Expression" command), and compares with the DLL's
// results from the editor host under Wine.
//   Differential generate <seed> <statements> <sample>   statements for exprCalc, a sample for the command
//   Differential calc <statements> <out>                 the bits of each result
//   Differential commands <sample> <out>                 the status texts and the clipboard of each
//   Differential compare <statements> <native> <dll>     prints every difference; fails on any
#include "CalculatorExports.h"
#include "DifferentialFormat.h"
#include "Editor.h"
#include "ExpressionCommand.h"

#include <Morvantis/TextConversion.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace
{

using Morvantis::ExpressionUtils::WideString;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Shortest round-trip text; negative values and the non-finite ones parenthesised, so that they
// stay one operand next to any operator.
std::string valueText(double v)
{
    if (std::isnan(v))
        return std::signbit(v) ? "(0/0)" : "nan()";
    if (std::isinf(v))
        return v > 0 ? "(1/0)" : "(-1/0)";
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    const std::string text(buffer, end);
    return std::signbit(v) ? "(" + text + ")" : text;
}

std::vector<double> edgeValues()
{
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1.0,
                                  -1.0,
                                  2.0,
                                  10.0,
                                  0.1,
                                  1e-310,
                                  -1e-310,
                                  5e-324,
                                  2.2250738585072014e-308,
                                  1e308,
                                  -1e308,
                                  std::numeric_limits<double>::max(),
                                  1e6,
                                  1e10,
                                  1e15,
                                  1e22,
                                  -1e22,
                                  1e300,
                                  2147483647.0,
                                  2147483648.0,
                                  -2147483649.0,
                                  4294967295.0,
                                  4294967296.0,
                                  9007199254740993.0,
                                  9223372036854775808.0,
                                  3.141592653589793,
                                  1.5707963267948966,
                                  32535244799.0,
                                  32535244800.0,
                                  kInf,
                                  -kInf,
                                  kNaN,
                                  -kNaN};
    // Halves and their neighbours: where rounding goes one way or the other.
    for (int k = -4; k <= 4; ++k)
    {
        const double half = k + 0.5;
        values.push_back(half);
        values.push_back(std::nextafter(half, -kInf));
        values.push_back(std::nextafter(half, kInf));
    }
    values.push_back(1e15 + 0.5);
    values.push_back(std::nextafter(1e15 + 0.5, 0.0));
    return values;
}

class Generator
{
  public:
    explicit Generator(uint64_t seed) : random_(seed) {}

    double edge() { return edges_[pick(edges_.size())]; }

    // Uniform at one of several scales, from subnormal-adjacent to near the top of the range.
    double scaled()
    {
        static const double scales[] = {1e-300, 1e-20, 1e-5, 1, 10, 1e3, 1e6, 1e10, 1e15, 1e20, 1e22, 1e100, 1e300};
        const double scale = scales[pick(std::size(scales))];
        return uniform(-scale, scale);
    }

    double any() { return pick(2) == 0 ? edge() : scaled(); }

    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    // A number text: decimal with up to 25 digits and any exponent, hexadecimal with a binary
    // exponent, a long expansion near a tie, or a word that reads as a number inside an expression.
    std::string literal()
    {
        static const char* words[] = {"0 + inf", "0 + INFINITY", "1 * nan", "1 * NaN(12_ab)", "0 + Inf"};
        switch (pick(5))
        {
        case 0:
        case 1:
        {
            std::string text = digits(1 + pick(25), "0123456789");
            if (pick(2) == 0)
                text.insert(pick(text.size() + 1), ".");
            if (text == ".")
                text = "0.";
            if (pick(2) == 0)
                text += (pick(2) == 0 ? "e" : "E-") + std::to_string(pick(330));
            return text;
        }
        case 2:
        {
            std::string text = "0x" + digits(1 + pick(16), "0123456789abcdefABCDEF");
            if (pick(2) == 0)
                text += "." + digits(pick(14), "0123456789abcdef");
            if (pick(2) == 0)
                text += (pick(2) == 0 ? "p" : "P-") + std::to_string(pick(1100));
            return text;
        }
        case 3:
        {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.30e", std::fabs(scaled()));
            return buffer;
        }
        default:
            return words[pick(std::size(words))];
        }
    }

  private:
    std::string digits(std::size_t n, const char* set)
    {
        std::string text;
        for (std::size_t i = 0; i < n; ++i)
            text += set[pick(std::strlen(set))];
        return text;
    }

    std::mt19937_64 random_;
    std::vector<double> edges_ = edgeValues();
};

// "@" stands for a value; "#" for a small count of decimals.
const char* const kTemplates[] = {
    // mathematics
    "abs(@)", "sqrt(@)", "sqr(@)", "sin(@)", "cos(@)", "tan(@)", "asin(@)", "acos(@)", "atan(@)", "atan2(@, @)",
    "rad2deg(@)", "deg2rad(@)", "pow(@, @)", "exp(@)", "exp10(@)", "exp2(@)", "log(@)", "log10(@)", "log2(@)",
    "exists(@)", "notexists(@)", "def(@, @)", "defnz(@, @, @)",
    // rounding, dead bands, bits, logic, comparisons
    "round(@)", "round(@, #)", "round(@, @)", "roundup(@)", "floor(@)", "ceil(@)", "trunc(@)", "center(@, @)",
    "centerex(@, @, @, @)", "not(@)", "and(@, @)", "or(@, @)", "xor(@, @)", "nand(@, @)", "nor(@, @)", "xnor(@, @)",
    "shl(@, @)", "shr(@, @)", "shl(@, #)", "shr(@, #)", "lnot(@)", "land(@, @)", "lor(@, @)", "lxor(@, @)",
    "lnand(@, @)", "lnor(@, @)", "lxnor(@, @)", "eq(@, @)", "ne(@, @)", "gt(@, @)", "lt(@, @)", "ge(@, @)", "le(@, @)",
    // counters, extremes, time, colour, control
    "inc(@, @, @)", "dec(@, @, @)", "min(@, @, @)", "max(@, @)", "millisec(@)", "rgb2hue(@)", "rgb2sat(@)",
    "rgb2lum(@)", "if(@, @, @)",
    // operators
    "@ + @", "@ - @", "@ * @", "@ / @", "@ % @", "@ ^ @", "@ == @", "@ != @", "@ > @", "@ >= @", "@ < @", "@ <= @",
    "@ && @", "@ || @", "-@", "!@", "v = @; v * @ - v", "(@ + @) * @ / @"};

const char* const kCalendarFields[] = {"year", "month", "day", "hour", "minute", "second"};

std::string fill(const std::string& shape, Generator& g, bool edgesOnly)
{
    std::string out;
    for (const char c : shape)
    {
        if (c == '@')
            out += valueText(edgesOnly ? g.edge() : g.any());
        else if (c == '#')
            out += std::to_string(static_cast<int>(g.pick(24)) - 4);
        else
            out += c;
    }
    return out;
}

int generate(uint64_t seed, const char* statementsPath, const char* samplePath)
{
    Generator g(seed);
    std::vector<std::string> statements;
    for (const char* shape : kTemplates)
        for (int i = 0; i < 600; ++i)
            statements.push_back(fill(shape, g, i < 150));
    for (int i = 0; i < 6000; ++i)
        statements.push_back(g.literal());
    // Calendar fields across the range the Windows runtime converts and just outside it.
    for (int i = 0; i < 3000; ++i)
    {
        const double t = i % 10 == 0 ? 32535244799.0 + static_cast<double>(g.pick(3)) - 0.5 : g.uniform(-1e9, 3.3e10);
        statements.push_back(std::string(kCalendarFields[i % 6]) + "(" + valueText(t) + ")");
    }
    for (int i = 0; i < 200; ++i)
        statements.push_back("hex(\"" + std::to_string(g.pick(1u << 30)) + "\") + bin(\"1011\") + chr(\"Az\")");

    std::ofstream all(statementsPath, std::ios::binary), sample(samplePath, std::ios::binary);
    for (std::size_t i = 0; i < statements.size(); ++i)
    {
        all << statements[i] << '\n';
        if (i % 200 == 0)
            sample << statements[i] << '\n';
    }
    std::cout << "differential: " << statements.size() << " statements, " << (statements.size() + 199) / 200
              << " of them also through the command\n";
    return all && sample ? 0 : 1;
}

int calc(const char* in, const char* outPath)
{
    std::ofstream out(outPath, std::ios::binary);
    for (const std::string& statement : Differential::readLines(in))
        out << Differential::bitsText(Morvantis::Plugin::calculateUtf8(statement.c_str())) << '\n';
    return out ? 0 : 1;
}

class RecordingEditor final : public Morvantis::Plugin::Editor
{
  public:
    std::string selection;
    std::string line;

    std::string selectedText() override { return selection; }
    void setStatusText(const WideString& text) override { line += Differential::escapeUnits(text) + '\t'; }
    void copyToClipboard(const std::string& text) override
    {
        WideString wide;
        Morvantis::ExpressionUtils::utf8ToWide(text, wide);
        clipboard = Differential::escapeUnits(wide);
    }
    std::string clipboard;
};

int commands(const char* in, const char* outPath)
{
    std::ofstream out(outPath, std::ios::binary);
    RecordingEditor editor;
    for (const std::string& statement : Differential::readLines(in))
    {
        editor.selection = statement;
        editor.line.clear();
        Morvantis::Plugin::onExpressionCommand(editor);
        out << editor.line << editor.clipboard << '\n';
    }
    return out ? 0 : 1;
}

double fromBits(const std::string& text)
{
    uint64_t bits = 0;
    std::from_chars(text.data(), text.data() + text.size(), bits, 16);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int compare(const char* statementsPath, const char* nativePath, const char* dllPath)
{
    const auto statements = Differential::readLines(statementsPath), native = Differential::readLines(nativePath),
               dll = Differential::readLines(dllPath);
    if (native.size() != statements.size() || dll.size() != statements.size())
    {
        std::cout << "differential: " << statements.size() << " statements but " << native.size() << " native and "
                  << dll.size() << " DLL results\n";
        return 1;
    }
    std::size_t differences = 0;
    const bool bits = native.empty() || native[0].size() == 16;
    for (std::size_t i = 0; i < statements.size(); ++i)
    {
        if (native[i] == dll[i])
            continue;
        if (++differences > 50)
            continue;
        std::cout << "DIFFERENT: " << statements[i] << '\n';
        if (bits)
            std::printf("  native %.17g (%s)\n  DLL    %.17g (%s)\n", fromBits(native[i]), native[i].c_str(),
                        fromBits(dll[i]), dll[i].c_str());
        else
            std::cout << "  native " << native[i] << "\n  DLL    " << dll[i] << '\n';
    }
    std::cout << "differential: " << statements.size() << " compared, " << differences << " different\n";
    return differences == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "generate" && argc == 5)
        return generate(std::stoull(argv[2]), argv[3], argv[4]);
    if (mode == "calc" && argc == 4)
        return calc(argv[2], argv[3]);
    if (mode == "commands" && argc == 4)
        return commands(argv[2], argv[3]);
    if (mode == "compare" && argc == 5)
        return compare(argv[2], argv[3], argv[4]);
    std::cerr << "usage: Differential generate <seed> <statements> <sample> | calc <in> <out> | commands <in> <out>"
                 " | compare <statements> <native> <dll>\n";
    return 2;
}
