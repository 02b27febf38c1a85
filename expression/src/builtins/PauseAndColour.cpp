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
double sleep(double seconds)
{
    const int32_t ms = roundToInt32(seconds * 1000.0);
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

template <Component Which> double colourComponent(double rgb)
{
    const uint32_t colour = word32(rgb);
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

constexpr Entry kEntries[] = {
    {"sleep", nullptr, sleep},
    {"rgb2hue", nullptr, colourComponent<Component::Hue>},
    {"rgb2sat", nullptr, colourComponent<Component::Saturation>},
    {"rgb2lum", nullptr, colourComponent<Component::Brightness>},
};
} // namespace

const Family pauseAndColour(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
