// Pause, colour components, URL fetches, digests, checksums and the text output.
#include "../Builtins.h"
#include "../JuceText.h"
#include "../Numeric.h"

#include <Morvantis/TextConversion.h>

#include <juce_core/juce_core.h>
#include <juce_cryptography/juce_cryptography.h>
#include <juce_graphics/juce_graphics.h>

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <thread>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
juce::String fromUtf8(const std::string& bytes)
{
    return juce::String::fromUTF8(bytes.data(), static_cast<int>(bytes.size()));
}

double sleep(const ValueList& args, std::string&)
{
    const int32_t ms = roundToInt32(singleNumberArg("sleep", args) * 1000.0);
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 1.0;
}

void colourToHsb(juce::Colour colour, double& hue, double& saturation, double& brightness)
{
    float h = 0.0f;
    float s = 0.0f;
    float b = 0.0f;
    colour.getHSB(h, s, b);
    hue = static_cast<double>(h) * 360.0;
    saturation = static_cast<double>(s) * 100.0;
    brightness = static_cast<double>(b) * 100.0;
}

enum class Component
{
    Hue,
    Saturation,
    Brightness
};

template <Component Which> double colourComponent(const char* f, const ValueList& args)
{
    const uint32_t colour = word32(singleNumberArg(f, args));
    double hue = 0.0;
    double saturation = 0.0;
    double brightness = 0.0;
    colourToHsb(juce::Colour(colour), hue, saturation, brightness);
    if constexpr (Which == Component::Hue)
        return hue;
    else if constexpr (Which == Component::Saturation)
        return saturation;
    else
        return brightness;
}

double rgb2hue(const ValueList& args, std::string&)
{
    return colourComponent<Component::Hue>("rgb2hue", args);
}
double rgb2sat(const ValueList& args, std::string&)
{
    return colourComponent<Component::Saturation>("rgb2sat", args);
}
double rgb2lum(const ValueList& args, std::string&)
{
    return colourComponent<Component::Brightness>("rgb2lum", args);
}

// Writes the body beside the target first, so a failed or cut-off download never costs the old file.
double download(juce::InputStream& body, const juce::File& target)
{
    const juce::TemporaryFile temporary(target);
    {
        juce::FileOutputStream out(temporary.getFile(), 16384);
        if (!out.openedOk())
            return 0.0;
        const juce::int64 copied = out.writeFromInputStream(body, -1);
        out.flush();
        const juce::int64 announced = body.getTotalLength();
        if (out.getStatus().failed() || (announced >= 0 && copied != announced))
            return 0.0;
    }
    if (!temporary.overwriteTargetFileWithTemporary())
        return 0.0;
    return static_cast<double>(target.getSize());
}

double url(const ValueList& args, std::string& textOut)
{
    constexpr const char* f = "url";
    textOut.clear();
    expectAtLeast(f, args, 1);
    expectAtMost(f, args, 2);
    const std::string& address = stringArg(f, args, 0);
    if (args.size() == 2)
        stringArg(f, args, 1);

    // Headers and status are received but not examined: an error page's body is taken like any other.
    juce::StringPairArray responseHeaders;
    int statusCode = 0;
    const auto options = juce::URL::InputStreamOptions(juce::URL::ParameterHandling::inAddress)
                             .withConnectionTimeoutMs(0)
                             .withResponseHeaders(&responseHeaders)
                             .withStatusCode(&statusCode)
                             .withNumRedirectsToFollow(5);
    const std::unique_ptr<juce::InputStream> stream = juce::URL(fromUtf8(address)).createInputStream(options);
    if (stream == nullptr)
        return 0.0;

    if (args.size() == 2)
        return download(*stream, juce::File(fromUtf8(args[1].text)));

    juce::MemoryOutputStream collected(256);
    collected << *stream;
    textOut.assign(static_cast<const char*>(collected.getData()), collected.getDataSize());
    return static_cast<double>(textOut.size());
}

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

// The "%f" text of value, the same on every platform's runtime.
std::string fixedSix(double value)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0.0 ? "-inf" : "inf";
    char buffer[400]; // 309 integer digits, sign, point and six decimals at most
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, written.ptr);
}

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
            std::string text = fixedSix(arg.number);
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

} // namespace

const std::array<Entry, 4> pauseAndColour{{
    {"sleep", sleep},
    {"rgb2hue", rgb2hue},
    {"rgb2sat", rgb2sat},
    {"rgb2lum", rgb2lum},
}};

const std::array<Entry, 9> outputAndDigests{{
    {"url", url},
    {"sha256", sha256},
    {"sha256_f", sha256File},
    {"md5", md5},
    {"md5_f", md5File},
    {"crc16", crc16Builtin},
    {"crc32", crc32Builtin},
    {"print", print},
    {"clear", clear},
}};

} // namespace Morvantis::ExpressionUtils::Builtins
