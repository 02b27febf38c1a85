// The url tests' HTTP server on 127.0.0.1, natively and in the Wine host: it answers GET from a table
// of paths and any other path with 404 and no body, one request per connection.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

namespace Morvantis::Testing
{

class LocalHttpServer
{
  public:
    struct Reply
    {
        int status;
        std::string body;
        // Announce twice the body, then drop the connection after it.
        bool cut = false;
    };

    explicit LocalHttpServer(std::map<std::string, Reply> replies) : replies_(std::move(replies))
    {
        server_.set_keep_alive_max_count(1);
        server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response)
                    { answer(request.path, response); });
        port_ = server_.bind_to_any_port("127.0.0.1");
        if (port_ <= 0)
            throw std::runtime_error("cannot bind an HTTP server to 127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() does nothing before the server runs.
        while (!server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LocalHttpServer()
    {
        server_.stop();
        thread_.join();
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int requests() const { return requests_; }

  private:
    void answer(const std::string& path, httplib::Response& response)
    {
        ++requests_;
        const auto found = replies_.find(path);
        if (found == replies_.end())
        {
            response.status = 404;
            return;
        }
        const Reply& reply = found->second;
        response.status = reply.status;
        if (!reply.cut)
        {
            response.set_content(reply.body, "text/plain");
            return;
        }
        // The first byte, a pause, the rest, then the drop: the client must have opened its stream
        // before the cut, or the cut fails the request instead of shortening the body.
        const std::string& body = reply.body;
        response.set_content_provider(2 * body.size(), "text/plain",
                                      [&body](std::size_t offset, std::size_t, httplib::DataSink& sink)
                                      {
                                          if (offset == 0)
                                          {
                                              sink.write(body.data(), 1);
                                              std::this_thread::sleep_for(std::chrono::milliseconds(100));
                                              return true;
                                          }
                                          sink.write(body.data() + 1, body.size() - 1);
                                          return false;
                                      });
    }

    const std::map<std::string, Reply> replies_;
    std::atomic<int> requests_{0};
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

} // namespace Morvantis::Testing
