#include "../Builtins.h"

namespace Morvantis::ExpressionUtils::Builtins
{

const std::array<Entry, 4> pauseAndColour{};
const std::array<Entry, 9> outputAndDigests{};

} // namespace Morvantis::ExpressionUtils::Builtins
