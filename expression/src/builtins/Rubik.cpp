// The built-in rubik: the one place where the engine reaches the cube solver.
#include "../Builtins.h"

#include <Morvantis/Cube.h>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
constexpr const char* kName = "rubik";

double rubikCall(const ValueList& args, std::string& textOut)
{
    // Emptied before any check, so a failing call leaves no stale output behind.
    textOut.clear();
    expectAtLeast(kName, args, 1);
    expectAtMost(kName, args, 2);
    const std::string cube = Cube::normalizeCubeString(stringArg(kName, args, 0));
    if (args.size() == 2)
    {
        const std::string pattern = Cube::normalizeCubeString(stringArg(kName, args, 1));
        textOut = Cube::rubikSolve(cube, &pattern);
    }
    else
    {
        textOut = Cube::rubikSolve(cube, nullptr);
    }
    return static_cast<double>(textOut.size());
}

constexpr Entry kEntries[] = {{kName, rubikCall}};
} // namespace

const Family rubik(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
