// The url built-in through WinINet, against a minimal HTTP/1.1 server on 127.0.0.1 served from a thread of the host.
#include "Session.h"

#include <winsock2.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace Host
{

namespace
{

const std::string helloBody = "Hello from 127.0.0.1\n", missingBody = "no such page\n";

SOCKET boundLoopbackSocket(int& port)
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    SOCKET s = started ? socket(AF_INET, SOCK_STREAM, IPPROTO_TCP) : INVALID_SOCKET;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot bind a socket to 127.0.0.1");
    port = ntohs(address.sin_port);
    return s;
}

// GET /hello gets 200 and anything else 404, one request per connection.
void answer(SOCKET client, std::atomic<int>& requests)
{
    std::string request;
    char chunk[1024];
    while (request.find("\r\n\r\n") == std::string::npos)
    {
        const int n = recv(client, chunk, sizeof chunk, 0);
        if (n <= 0)
            return;
        request.append(chunk, static_cast<size_t>(n));
    }
    ++requests;
    const bool hello = request.rfind("GET /hello ", 0) == 0;
    const std::string& body = hello ? helloBody : missingBody;
    const std::string reply = std::string(hello ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found")
                            + "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size())
                            + "\r\nConnection: close\r\n\r\n" + body;
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
    shutdown(client, SD_SEND);
}

} // namespace

void runUrlCases(Session& session, Checks& checks)
{
    int port = 0;
    const SOCKET listener = boundLoopbackSocket(port);
    if (listen(listener, 8) != 0)
        throw std::runtime_error("listen failed");
    std::atomic<int> requests{0};
    std::thread server([&] {
        for (SOCKET client; (client = accept(listener, nullptr, nullptr)) != INVALID_SOCKET; closesocket(client))
            answer(client, requests);
    });
    const std::string base = "url('http://127.0.0.1:" + std::to_string(port);

    // Through the command: the body lands on the clipboard, its length on the status bar.
    const std::string hello = base + "/hello')";
    const std::string status = "Expr: " + hello + " = " + std::to_string(helloBody.size()) + "\n";
    checks.expectEqual(session.evaluate(hello), widen(status), "GET through the command");
    checks.expectEqual(readClipboardText().value_or(L"(empty)"), widen(helloBody), "the body on the clipboard");
    // An error status still yields its body.
    checks.expectEqual(session.plugin.exprCalc((base + "/missing')").c_str()), static_cast<double>(missingBody.size()),
                       "a 404 returns its body length");
    checks.expect(requests == 2, "the server saw two requests, saw " + std::to_string(requests));
    closesocket(listener); // ends the blocked accept
    server.join();

    // Nothing listens: no stream, no error, nothing on the clipboard but the number.
    const std::string closed = "url('http://127.0.0.1:" + std::to_string(port) + "/')";
    checks.expectEqual(session.evaluate(closed), widen("Expr: " + closed + " = 0\n"), "a closed port gives 0");
    checks.expectEqual(readClipboardText().value_or(L"(empty)"), L"0", "a closed port copies the number");
}

} // namespace Host
