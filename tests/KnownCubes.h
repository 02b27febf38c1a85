// Cubes with published answers, shared by the cube's tests: the moves that make each one from the
// solved cube, its description, and the solver's answer, the first one in its search order.
#pragma once

namespace KnownCubes
{

struct KnownCube
{
    const char* scramble;
    const char* description;
    const char* answer;
};

constexpr KnownCube kCubes[] = {
    {"U' ", "UUUUUUUUUFFFRRRRRRLLLFFFFFFDDDDDDDDDBBBLLLLLLRRRBBBBBB", "U "},
    // U and then U2 come first, but their phase-2 answers turn the same face again.
    {"U ", "UUUUUUUUUBBBRRRRRRRRRFFFFFFDDDDDDDDDFFFLLLLLLLLLBBBBBB", "U' "},
    {"R ", "UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB", "R' "},
    {"R U R' U' ", "UULUUFUUFRRUBRRURRFFDFFUFFFDDRDDDDDDBLLLLLLLLBRRBBBBBB", "U R U' R' "},
    // Thirteen moves although six would do.
    {"U D' R L' F B' ", "FFFFUFFFFRRRURURRRDDDRFRDDDBBBBDBBBBLLLDLDLLLUUULBLUUU",
     "F B R L U2 L2 F2 R2 D2 L2 B2 U' D' "},
};

constexpr const KnownCube& kAfterUPrime = kCubes[0];
constexpr const KnownCube& kThirteenMoves = kCubes[4];

} // namespace KnownCubes
