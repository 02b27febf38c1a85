#include "../Builtins.h"

namespace Morvantis::ExpressionUtils::Builtins
{

const std::array<Entry, 1> rubik{};

} // namespace Morvantis::ExpressionUtils::Builtins
