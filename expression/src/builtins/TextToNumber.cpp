// Texts of hexadecimal digits, binary digits or characters, folded into a 32-bit number.
#include "../Builtins.h"

#include <cstdint>
#include <string>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
// Folds the characters of text into a 32-bit word, most significant first, with the given radix and digit values.
template <typename DigitValue> uint32_t fold(const std::string& text, uint32_t radix, DigitValue digitValue)
{
    uint32_t v = 0;
    for (const char c : text)
        v = v * radix + digitValue(static_cast<unsigned char>(c));
    return v;
}

uint32_t parseHex(const std::string& text)
{
    return fold(text, 16u,
                [](unsigned char c) -> uint32_t
                {
                    if (c >= '0' && c <= '9')
                        return static_cast<uint32_t>(c - '0');
                    if (c >= 'a' && c <= 'f')
                        return static_cast<uint32_t>(c - 'a' + 10);
                    return static_cast<uint32_t>(c - 'A' + 10);
                });
}

const std::string& digitText(const char* f, const ValueList& args, const char* allowed)
{
    expectCount(f, args, 1);
    const std::string& text = stringArg(f, args, 0);
    if (text.find_first_not_of(allowed) != std::string::npos)
        fail(f, "has invalid characters.");
    return text;
}

double hex(const ValueList& args, std::string&)
{
    return static_cast<double>(parseHex(digitText("hex", args, "0123456789aAbBcCdDeEfF")));
}

double bin(const ValueList& args, std::string&)
{
    const std::string& text = digitText("bin", args, "01");
    return static_cast<double>(fold(text, 2u, [](unsigned char c) { return static_cast<uint32_t>(c - '0'); }));
}

double chr(const ValueList& args, std::string&)
{
    expectCount("chr", args, 1);
    const std::string& text = stringArg("chr", args, 0);
    return static_cast<double>(fold(text, 256u, [](unsigned char c) { return static_cast<uint32_t>(c); }));
}

constexpr Entry kEntries[] = {
    {"hex", hex},
    {"bin", bin},
    {"chr", chr},
};
} // namespace

const Family textToNumber(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
