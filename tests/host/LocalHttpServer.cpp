#include "LocalHttpServer.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <stdexcept>

namespace Host
{

namespace
{

struct WinsockSession
{
    WinsockSession()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockSession() { WSACleanup(); }
};

WinsockSession& winsock()
{
    static WinsockSession session;
    return session;
}

SOCKET boundLoopbackSocket(int& port)
{
    winsock();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    {
        closesocket(s);
        throw std::runtime_error("bind to 127.0.0.1 failed");
    }
    port = ntohs(address.sin_port);
    return s;
}

void answer(SOCKET client, int& served)
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
    ++served;
    const bool hello = request.rfind("GET /hello ", 0) == 0;
    const std::string body = hello ? LocalHttpServer::helloBody : LocalHttpServer::missingBody;
    const std::string reply = std::string(hello ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found")
                            + "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size())
                            + "\r\nConnection: close\r\n\r\n" + body;
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
    shutdown(client, SD_SEND);
}

} // namespace

LocalHttpServer::LocalHttpServer()
{
    SOCKET s = boundLoopbackSocket(port_);
    if (listen(s, 8) != 0)
    {
        closesocket(s);
        throw std::runtime_error("listen failed");
    }
    listener_ = s;
    thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer()
{
    stop_ = true;
    thread_.join();
    closesocket(static_cast<SOCKET>(listener_));
}

void LocalHttpServer::serve()
{
    const auto listener = static_cast<SOCKET>(listener_);
    while (!stop_)
    {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listener, &readable);
        timeval wait{0, 50000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
            continue;
        SOCKET client = accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            continue;
        int served = 0;
        answer(client, served);
        requests_ += served;
        closesocket(client);
    }
}

int closedLocalPort()
{
    int port = 0;
    closesocket(boundLoopbackSocket(port));
    return port;
}

} // namespace Host
