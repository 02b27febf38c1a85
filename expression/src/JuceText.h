// Between framework strings and the engine's UTF-8 byte strings.
#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <string>

namespace Morvantis::ExpressionUtils
{

// Writes the text as UTF-8 into destination, NUL-terminated within capacity; a unit that does not fit becomes '~'.
void copyToUtf8Buffer(const juce::String& text, char* destination, int32_t capacity);

std::string toStdString(const juce::String& text);

juce::String fromUtf8(const std::string& bytes);

} // namespace Morvantis::ExpressionUtils
