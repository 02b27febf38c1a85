#include "Morvantis/TextConversion.h"

#include "Text.h"

#include <cmath>

namespace Morvantis::ExpressionUtils
{
namespace
{

constexpr WideChar kRefusedByte = static_cast<WideChar>('#');
constexpr WideChar kReplacement = static_cast<WideChar>(0xFFFD);

// Enough for one six-byte sequence plus slack; the decoder stops at the string's NUL long before.
constexpr int32_t kDecodeRoom = 8;
constexpr int32_t kEncodeScratch = 8;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0u) == 0x80u;
}

int32_t encodedLength(uint32_t codePoint)
{
    if (codePoint < 0x80u)
        return 1;
    if (codePoint < 0x800u)
        return 2;
    if (codePoint < 0x10000u)
        return 3;
    if (codePoint < 0x200000u)
        return 4;
    if (codePoint < 0x4000000u)
        return 5;
    if (codePoint <= 0x7FFFFFFFu)
        return 6;
    return -1;
}

// Indexed by sequence length: the lead marker, which is also the smallest lead of that length.
constexpr unsigned char kLeadMarker[7] = {0x00u, 0x00u, 0xC0u, 0xE0u, 0xF0u, 0xF8u, 0xFCu};
// Second byte needed after the smallest lead of each length; less would be an over-long form.
constexpr unsigned char kMinimumSecond[7] = {0x00u, 0x00u, 0x80u, 0xA0u, 0x90u, 0x88u, 0x84u};

// Lead bytes C2-FD only; everything else has been refused before.
int32_t sequenceLength(unsigned char lead)
{
    if (lead < 0xE0u)
        return 2;
    if (lead < 0xF0u)
        return 3;
    if (lead < 0xF8u)
        return 4;
    return lead < 0xFCu ? 5 : 6;
}

void appendCodePoint(WideString& out, uint32_t codePoint)
{
    if (codePoint <= 0xFFFFu)
    {
        out.push_back(static_cast<WideChar>(codePoint));
    }
    else if (codePoint <= 0x10FFFFu)
    {
        const uint32_t offset = codePoint - 0x10000u;
        out.push_back(static_cast<WideChar>(0xD800u + (offset >> 10)));
        out.push_back(static_cast<WideChar>(0xDC00u + (offset & 0x3FFu)));
    }
    else
    {
        // UTF-16 has no form for it (5/6-byte or 4-byte forms past 10FFFF): one U+FFFD stands for the sequence.
        out.push_back(kReplacement);
    }
}

} // namespace

std::string numberToString(double value)
{
    if (!std::isfinite(value))
        return "---";
    return stripTrailingZerosCopy(fixedDecimals(value, 12));
}

void stripTrailingZeros(std::string& text)
{
    const std::size_t point = text.find('.');
    // An integer text keeps its zeros; with a point there is always a character that is not '0'.
    if (point == std::string::npos)
        return;
    const std::size_t last = text.find_last_not_of('0');
    text.resize(last == point ? last : last + 1);
}

std::string stripTrailingZerosCopy(const std::string& text)
{
    std::string copy(text);
    stripTrailingZeros(copy);
    return copy;
}

int32_t encodeUtf8CodePoint(char* destination, uint32_t codePoint, int32_t room)
{
    const int32_t length = encodedLength(codePoint);
    if (length < 0)
        return -1;
    if (room < length)
        return -2;

    uint32_t rest = codePoint;
    for (int32_t index = length - 1; index > 0; --index)
    {
        destination[index] = static_cast<char>(0x80u | (rest & 0x3Fu));
        rest >>= 6;
    }
    destination[0] = static_cast<char>(kLeadMarker[length] | rest);
    return length;
}

int32_t decodeUtf8CodePoint(uint32_t& codePoint, const char* source, int32_t room)
{
    const auto lead = static_cast<unsigned char>(source[0]);
    if (lead < 0x80u)
    {
        codePoint = lead;
        return 1;
    }
    if (lead < 0xC2u || lead > 0xFDu)
        return -1;

    const int32_t length = sequenceLength(lead);
    if (room < length)
        return -2;

    uint32_t result = lead & (0x7Fu >> length);
    for (int32_t index = 1; index < length; ++index)
    {
        const auto byte = static_cast<unsigned char>(source[index]);
        if (!isContinuation(byte))
            return -1;
        if (index == 1 && lead == kLeadMarker[length] && byte < kMinimumSecond[length])
            return -1;
        result = (result << 6) | (byte & 0x3Fu);
    }
    codePoint = result;
    return length;
}

void wideToUtf8(const WideString& wide, std::string& out)
{
    out.clear();
    out.reserve(wide.size());
    char scratch[kEncodeScratch];
    for (const WideChar unit : wide)
    {
        const int32_t length = encodeUtf8CodePoint(scratch, static_cast<uint32_t>(unit), kEncodeScratch);
        out.append(scratch, static_cast<std::size_t>(length)); // a 16-bit unit always encodes in 1-3 bytes
    }
}

void utf8ToWide(const std::string& utf8, WideString& out)
{
    out.clear();
    out.reserve(utf8.size());
    const char* const text = utf8.c_str(); // the terminating NUL stops every cut-off sequence
    std::size_t position = 0;
    while (position < utf8.size())
    {
        uint32_t codePoint = 0;
        const int32_t length = decodeUtf8CodePoint(codePoint, text + position, kDecodeRoom);
        if (length > 0)
        {
            appendCodePoint(out, codePoint);
            position += static_cast<std::size_t>(length);
        }
        else
        {
            out.push_back(kRefusedByte);
            ++position;
        }
    }
}

} // namespace Morvantis::ExpressionUtils
