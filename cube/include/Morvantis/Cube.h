// The Rubik's-cube solver's entry for the built-in rubik.
#pragma once

#include <string>

namespace Morvantis::Cube
{

// The canonical 54-letter description (faces U, R, F, D, L, B), or the empty text when it cannot be one.
std::string normalizeCubeString(const std::string& description);

// The move text that turns cube into the solved state, or into pattern when one is given.
// Empty when no move is needed, a description is invalid or no solution exists.
std::string rubikSolve(const std::string& cube, const std::string* pattern);

} // namespace Morvantis::Cube
