#include "../Builtins.h"

namespace Morvantis::ExpressionUtils::Builtins
{

const std::array<Entry, 17> countersAndTime{};

} // namespace Morvantis::ExpressionUtils::Builtins
