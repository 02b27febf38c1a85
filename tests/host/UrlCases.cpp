// The url built-in through WinINet, against the tests' HTTP server on 127.0.0.1 served from threads of the host.
#include "../support/LocalHttpServer.h"
#include "Session.h"

namespace Host
{

void runUrlCases(Session& session, Checks& checks)
{
    const std::string helloBody = "Hello from 127.0.0.1\n", missingBody = "no such page\n";
    std::string closed;
    {
        const Morvantis::Testing::LocalHttpServer server(
            {{"/hello", {200, helloBody}}, {"/missing", {404, missingBody}}});

        // Through the command: the body lands on the clipboard, its length on the status bar.
        const std::string hello = "url('" + server.url("/hello") + "')";
        const std::string status = "Expr: " + hello + " = " + std::to_string(helloBody.size()) + "\n";
        checks.expectEqual(session.evaluate(hello), widen(status), "GET through the command");
        checks.expectEqual(readClipboardText().value_or(L"(empty)"), widen(helloBody), "the body on the clipboard");
        // An error status still yields its body.
        checks.expectEqual(session.plugin.exprCalc(("url('" + server.url("/missing") + "')").c_str()),
                           static_cast<double>(missingBody.size()), "a 404 returns its body length");
        checks.expect(server.requests() == 2, "the server saw two requests, saw " + std::to_string(server.requests()));
        closed = "url('" + server.url("/") + "')";
    }

    // Nothing listens: no stream, no error, nothing on the clipboard but the number.
    checks.expectEqual(session.evaluate(closed), widen("Expr: " + closed + " = 0\n"), "a closed port gives 0");
    checks.expectEqual(readClipboardText().value_or(L"(empty)"), L"0", "a closed port copies the number");
}

} // namespace Host
