// sleep, and the hue, saturation and brightness of a colour.
#include "../Builtins.h"
#include "../Numeric.h"

#include <juce_graphics/juce_graphics.h>

#include <chrono>
#include <cstdint>
#include <thread>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
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

constexpr Entry kEntries[] = {
    {"sleep", sleep},
    {"rgb2hue", rgb2hue},
    {"rgb2sat", rgb2sat},
    {"rgb2lum", rgb2lum},
};
} // namespace

const Family pauseAndColour(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
