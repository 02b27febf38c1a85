#include "Clipboard.h"
#include "LocalHttpServer.h"
#include "Session.h"

#include <cstring>

namespace Host
{

void runUrlCases(Session& session, Checks& checks)
{
    LocalHttpServer server;
    const std::string base = "http://127.0.0.1:" + std::to_string(server.port());
    const auto helloLength = static_cast<double>(std::strlen(LocalHttpServer::helloBody));
    const auto missingLength = static_cast<double>(std::strlen(LocalHttpServer::missingBody));

    // Through the command: the body lands on the clipboard, its length on the status bar.
    const std::string hello = "url('" + base + "/hello')";
    checks.expectEqual(session.evaluate(hello),
                       widen("Expr: " + hello + " = " + std::to_string(std::strlen(LocalHttpServer::helloBody)) + "\n"),
                       "GET through the command");
    checks.expectEqual(readClipboardText().value_or(L"(empty)"), widen(LocalHttpServer::helloBody), "the body on the clipboard");

    // An error status still yields its body.
    const std::string missing = "url('" + base + "/missing')";
    checks.expectEqual(session.plugin.exprCalc(missing.c_str()), missingLength, "a 404 returns its body length");
    checks.expectEqual(session.plugin.exprCalc(hello.c_str()), helloLength, "GET through exprCalc");
    checks.expect(server.requests() == 3, "the server saw three requests, saw " + std::to_string(server.requests()));

    // Nothing listens: no stream, no error, nothing on the clipboard but the number.
    const std::string closed = "url('http://127.0.0.1:" + std::to_string(closedLocalPort()) + "/')";
    checks.expectEqual(session.evaluate(closed), widen("Expr: " + closed + " = 0\n"), "a closed port gives 0");
    checks.expectEqual(readClipboardText().value_or(L"(empty)"), L"0", "a closed port copies the number");
}

} // namespace Host
