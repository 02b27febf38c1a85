#include "AboutBox.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace Morvantis::Plugin
{

void onAboutCommand() noexcept
{
    try
    {
        // The first call makes the calling thread JUCE's message thread; nothing shuts JUCE down
        // while the editor keeps the DLL loaded.
        juce::AlertWindow::showMessageBox(juce::MessageBoxIconType::InfoIcon, "Morvantis",
                                          "Morvantis Npp Plugin v" MORVANTIS_VERSION, "OK");
    }
    catch (...)
    {
    }
}

} // namespace Morvantis::Plugin
