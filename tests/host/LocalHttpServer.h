// A minimal HTTP/1.1 server on 127.0.0.1 for the url built-in, served from a thread of the host.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace Host
{

class LocalHttpServer
{
public:
    static constexpr const char* helloBody = "Hello from 127.0.0.1\n";
    static constexpr const char* missingBody = "no such page\n";

    LocalHttpServer(); // throws std::runtime_error when no port can be bound
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    int requests() const { return requests_; }

private:
    void serve();

    uintptr_t listener_;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on.
int closedLocalPort();

} // namespace Host
