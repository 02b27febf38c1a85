// The url tests' HTTP server on 127.0.0.1, natively and in the Wine host: it answers GET from a table
// of paths (a 3xx reply redirects) and any other path with 404 and no body, one request per connection.
#pragma once

#include <httplib.h>

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
        std::string body; // for a 3xx status, the path it sends the client to
        bool cut = false; // announce twice the body, then drop the connection after it
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

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

  private:
    void answer(const std::string& path, httplib::Response& response)
    {
        const auto found = replies_.find(path);
        response.status = found == replies_.end() ? 404 : found->second.status;
        if (found == replies_.end())
            return;
        if (response.status / 100 == 3)
            return response.set_redirect(found->second.body, response.status);
        const std::string& body = found->second.body;
        if (!found->second.cut)
            return response.set_content(body, "text/plain");
        // The first byte, a pause, the rest, then the drop: the client must have opened its stream
        // before the cut, or the cut fails the request instead of shortening the body.
        response.set_content_provider(2 * body.size(), "text/plain",
                                      [&body](std::size_t offset, std::size_t, httplib::DataSink& sink)
                                      {
                                          const bool first = offset == 0;
                                          sink.write(body.data() + (first ? 0 : 1), first ? 1 : body.size() - 1);
                                          std::this_thread::sleep_for(std::chrono::milliseconds(first ? 100 : 0));
                                          return first;
                                      });
    }

    const std::map<std::string, Reply> replies_;
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

} // namespace Morvantis::Testing
