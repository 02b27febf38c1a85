#include "../Builtins.h"

namespace Morvantis::ExpressionUtils::Builtins
{

const std::array<Entry, 29> roundingAndLogic{};

} // namespace Morvantis::ExpressionUtils::Builtins
