// SHA-256 and MD5 digests of texts and files, and the CRC-16 and CRC-32 checksums of texts.
#include "../Builtins.h"
#include "../JuceText.h"

#include <juce_core/juce_core.h>
#include <juce_cryptography/juce_cryptography.h>

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
template <typename Digest> double textDigest(const char* f, const ValueList& args, std::string& textOut)
{
    textOut.clear();
    expectCount(f, args, 1);
    const std::string& text = stringArg(f, args, 0);
    textOut = toStdString(Digest(text.data(), text.size()).toHexString());
    return static_cast<double>(text.size());
}

template <typename Digest> double fileDigest(const char* f, const ValueList& args, std::string& textOut)
{
    textOut.clear();
    expectCount(f, args, 1);
    const juce::File file(fromUtf8(stringArg(f, args, 0)));
    if (!file.existsAsFile())
        return 0.0;
    // A file that cannot be read has no digest; the all-zero one would pass for a result.
    if (!juce::FileInputStream(file).openedOk())
        return 0.0;
    textOut = toStdString(Digest(file).toHexString());
    return static_cast<double>(file.getSize());
}

double sha256(const ValueList& args, std::string& textOut)
{
    return textDigest<juce::SHA256>("sha256", args, textOut);
}
double sha256File(const ValueList& args, std::string& textOut)
{
    return fileDigest<juce::SHA256>("sha256_f", args, textOut);
}
double md5(const ValueList& args, std::string& textOut)
{
    return textDigest<juce::MD5>("md5", args, textOut);
}
double md5File(const ValueList& args, std::string& textOut)
{
    return fileDigest<juce::MD5>("md5_f", args, textOut);
}

// CRC-16/MODBUS: reflected polynomial 0x8005, register preset to all ones, no final complement.
uint16_t crc16(const unsigned char* data, int32_t count)
{
    uint32_t reg = 0xFFFFu;
    for (int32_t i = 0; i < count; ++i)
    {
        reg ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 1u) != 0 ? (reg >> 1) ^ 0xA001u : reg >> 1;
    }
    return static_cast<uint16_t>(reg);
}

// The CRC-32 of zlib and PNG.
uint32_t crc32(const unsigned char* data, int32_t count)
{
    if (count <= 0)
        return 0;
    return static_cast<uint32_t>(::crc32(0uL, data, static_cast<uInt>(count)));
}

const unsigned char* bytesOf(const std::string& text)
{
    return reinterpret_cast<const unsigned char*>(text.data());
}

// The checksums take a 32-bit count; longer texts are cut to what fits.
int32_t countOf(const std::string& text)
{
    return static_cast<int32_t>(std::min<std::size_t>(text.size(), static_cast<std::size_t>(INT32_MAX)));
}

double crc16Builtin(const ValueList& args, std::string& textOut)
{
    textOut.clear();
    expectCount("crc16", args, 1);
    const std::string& text = stringArg("crc16", args, 0);
    return static_cast<double>(crc16(bytesOf(text), countOf(text)));
}

double crc32Builtin(const ValueList& args, std::string& textOut)
{
    textOut.clear();
    expectCount("crc32", args, 1);
    const std::string& text = stringArg("crc32", args, 0);
    return static_cast<double>(crc32(bytesOf(text), countOf(text)));
}

constexpr Entry kEntries[] = {
    {"sha256", sha256}, {"sha256_f", sha256File}, {"md5", md5},
    {"md5_f", md5File}, {"crc16", crc16Builtin},  {"crc32", crc32Builtin},
};
} // namespace

const Family digestsAndChecksums(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
