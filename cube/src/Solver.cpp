#include <Morvantis/Cube.h>

namespace Morvantis::Cube
{

std::string normalizeCubeString(const std::string&) { return {}; }
std::string rubikSolve(const std::string&, const std::string*) { return {}; }

} // namespace Morvantis::Cube
