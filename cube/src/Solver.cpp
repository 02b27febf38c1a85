#include "CubieCube.h"
#include "Search.h"

#include <Morvantis/Cube.h>

#include <array>

namespace Morvantis::Cube
{
namespace
{
constexpr std::string_view kSolved = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";
static_assert(kSolved.size() == static_cast<std::size_t>(kFaceletCount), "one letter per facelet");

constexpr std::size_t kFaceSize = 9;
constexpr std::size_t kCentre = 4;

// The classic-locale toupper and isspace, without a locale lookup.
char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Colour initials white, green, yellow and orange name the faces that carry them when solved.
char faceOfColour(char c)
{
    switch (c)
    {
    case 'W':
        return 'U';
    case 'G':
        return 'F';
    case 'Y':
        return 'D';
    case 'O':
        return 'L';
    default:
        return c;
    }
}

std::string_view first54(const std::string& text)
{
    return std::string_view(text).substr(0, static_cast<std::size_t>(kFaceletCount));
}

// inverse(pattern) * cube: the cube as seen from the pattern, as 54 face letters.
std::string relativeCube(const std::string& cube, const std::string& pattern)
{
    const CubieCube cubeCubie = cubieFromFacelets(faceletColours(cube));
    const CubieCube patternCubie = cubieFromFacelets(faceletColours(pattern));
    CubieCube relative = newSolvedCubie();
    invertCubie(patternCubie, relative);
    multiplyCorners(relative, cubeCubie);
    multiplyEdges(relative, cubeCubie);

    std::string text;
    text.reserve(static_cast<std::size_t>(kFaceletCount));
    for (const int32_t colour : faceletsFromCubie(relative))
        text += faceLetters[static_cast<std::size_t>(colour)];
    return text;
}
} // namespace

std::string normalizeCubeString(const std::string& description)
{
    std::string text;
    text.reserve(description.size());
    for (const char c : description)
        if (!isBlank(c))
            text += faceOfColour(upper(c));
    if (text.size() != static_cast<std::size_t>(kFaceletCount))
        return {};

    // Each face goes to the slot its centre names; a later face wins a shared slot.
    const std::string faces = text;
    for (std::size_t start = 0; start < faces.size(); start += kFaceSize)
    {
        const char centre = faces[start + kCentre];
        for (std::size_t slot = 0; slot < faceLetters.size(); ++slot)
            if (centre == faceLetters[slot])
                text.replace(slot * kFaceSize, kFaceSize, faces, start, kFaceSize);
    }
    return text;
}

std::string rubikSolve(const std::string& cube, const std::string* pattern)
{
    std::optional<std::string> moves;
    if (pattern == nullptr)
    {
        if (first54(cube) == kSolved)
            return {};
        moves = solveCube(cube);
    }
    else
    {
        if (first54(cube) == first54(*pattern))
            return {};
        // A rejected description is empty; there is nothing to compare a cube against.
        if (cube.size() < kSolved.size() || pattern->size() < kSolved.size())
            return {};
        moves = solveCube(relativeCube(cube, *pattern));
    }
    return moves.value_or(std::string());
}

} // namespace Morvantis::Cube
