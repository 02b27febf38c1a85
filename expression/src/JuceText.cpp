#include "JuceText.h"

#include "Morvantis/TextConversion.h"

namespace Morvantis::ExpressionUtils
{

void copyToUtf8Buffer(const juce::String& text, char* destination, int32_t capacity)
{
    if (capacity <= 0)
        return; // not even room for the terminator

    const int32_t limit = capacity - 1; // one byte stays for the terminator
    int32_t written = 0;
    for (const wchar_t* unit = text.toWideCharPointer(); *unit != 0 && written < limit; ++unit)
    {
        // Linux's wchar_t is signed and 32 bits wide: take the unit's value as it stands.
        const auto codePoint = static_cast<uint32_t>(*unit);
        const int32_t length = encodeUtf8CodePoint(destination + written, codePoint, limit - written);
        if (length < 0)
        {
            destination[written++] = '~';
            break;
        }
        written += length;
    }
    destination[written] = '\0';
}

std::string toStdString(const juce::String& text)
{
    const int32_t size = text.length();
    std::string result(static_cast<std::size_t>(size), '\0');
    copyToUtf8Buffer(text, result.data(), size + 1); // the last byte is the string's own terminator
    return result;
}

juce::String fromUtf8(const std::string& bytes)
{
    return juce::String::fromUTF8(bytes.data(), static_cast<int>(bytes.size()));
}

} // namespace Morvantis::ExpressionUtils
