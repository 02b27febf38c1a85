// The "About" menu command.
#pragma once

namespace Morvantis::Plugin
{

// Modal: returns when the box is closed.
void onAboutCommand() noexcept;

} // namespace Morvantis::Plugin
