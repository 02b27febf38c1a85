// The DLL's half of the differential run: the native engine's statements through exprCalc (the bits
// of each result) and a sample through the "Expression" command (the status texts and the clipboard).
#include "../differential/DifferentialFormat.h"
#include "Session.h"

namespace Host
{

int runDifferential(Session& session, const std::vector<std::string>& files)
{
    return Differential::evaluate(files, session.plugin.exprCalc,
                                  [&session](const std::string& statement)
                                  {
                                      session.editor.statuses.clear();
                                      session.evaluate(statement);
                                      return Differential::commandLine(session.editor.statuses,
                                                                       readClipboardText().value_or(L"(none)"));
                                  });
}

} // namespace Host
