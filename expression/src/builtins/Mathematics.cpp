#include "../Builtins.h"

namespace Morvantis::ExpressionUtils::Builtins
{

const std::array<Entry, 27> mathematics{};

} // namespace Morvantis::ExpressionUtils::Builtins
