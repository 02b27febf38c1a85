// The DLL's half of the differential run: the native engine's statements through exprCalc (the bits
// of each result) and a sample through the "Expression" command (the status texts and the clipboard).
#include "../differential/DifferentialFormat.h"
#include "Session.h"

#include <fstream>

namespace Host
{

int runDifferential(Session& session, const std::vector<std::string>& files)
{
    std::ofstream calc(files.at(1), std::ios::binary);
    for (const std::string& statement : Differential::readLines(files.at(0)))
        calc << Differential::bitsText(session.plugin.exprCalc(statement.c_str())) << '\n';

    std::ofstream commands(files.at(3), std::ios::binary);
    for (const std::string& statement : Differential::readLines(files.at(2)))
    {
        session.editor.statuses.clear();
        session.evaluate(statement);
        for (const auto& status : session.editor.statuses)
            commands << Differential::escapeUnits(status) << '\t';
        commands << Differential::escapeUnits(readClipboardText().value_or(L"(none)")) << '\n';
    }
    return calc && commands ? 0 : 1;
}

} // namespace Host
