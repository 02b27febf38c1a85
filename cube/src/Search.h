// The two-phase search: phase 1 reaches the subgroup <U, D, R2, F2, L2, B2>, phase 2 solves within it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace Morvantis::Cube
{

// The first solution in the search order, as move text; nullopt for a text that is no valid cube,
// when no solution of at most 24 moves exists, or when the time limit passes. Reads 54 letters.
std::optional<std::string> solveCube(std::string_view facelets);

} // namespace Morvantis::Cube
