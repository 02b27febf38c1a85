// sleep, colour components, url against a local server, digests, checksums, print and clear.
#include "Builtins.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <thread>
#include <tuple>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace std::string_literals;
const auto n = [](double v) { return Value::ofNumber(v); };
const auto s = [](std::string t) { return Value::ofString(std::move(t)); };

TEST(OutputAndDigests, RefusalsAndWhetherTheyEmptyTheTextOutput)
{
    const std::tuple<const char*, ValueList, const char*, const char*> cases[] = {
        {"sleep", {s("1")}, "Function 'sleep' expects 'Value' parameter 1.", "old"},
        {"rgb2hue", {n(1), n(2)}, "Function 'rgb2hue' expects 1 parameters.", "old"},
        {"RGB2LUM", {s("x")}, "Function 'rgb2lum' expects 'Value' parameter 1.", "old"},
        {"url", {}, "Function 'url' expects 1 or more parameters.", ""},
        {"url", {s("a"), s("b"), s("c")}, "Function 'url' expects 2 or less parameters.", ""},
        {"url", {n(1)}, "Function 'url' expects 'String' parameter 1.", ""},
        {"url", {s("a"), n(1)}, "Function 'url' expects 'String' parameter 2.", ""},
        {"sha256_f", {}, "Function 'sha256_f' expects 1 parameters.", ""},
        {"md5", {n(1)}, "Function 'md5' expects 'String' parameter 1.", ""},
        {"crc16", {n(1)}, "Function 'crc16' expects 'String' parameter 1.", ""},
        {"clear", {n(1)}, "Function 'clear' expects 0 parameters.", "old"},
    };
    for (const auto& [name, args, message, textOutAfter] : cases)
    {
        SCOPED_TRACE(message);
        std::string textOut = "old";
        try
        {
            callBuiltinFunction(name, args, &textOut);
            ADD_FAILURE() << "accepted";
        }
        catch (const Morvantis::ErrorException& e)
        {
            EXPECT_STREQ(e.what(), message);
        }
        EXPECT_EQ(textOut, textOutAfter);
    }
}

TEST(OutputAndDigests, SleepRoundsToMillisecondsAndSkipsWhatDoesNotFit)
{
    using std::chrono::milliseconds;
    const std::tuple<double, milliseconds, milliseconds> cases[] = {
        {0.0005, milliseconds(1), milliseconds(200)},      {0.03, milliseconds(30), milliseconds(500)},
        {-2, milliseconds(0), milliseconds(50)},           {3000000, milliseconds(0), milliseconds(50)},
        {std::nan(""), milliseconds(0), milliseconds(50)},
    };
    for (const auto& [seconds, atLeast, below] : cases)
    {
        SCOPED_TRACE(seconds);
        std::string textOut = "kept";
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(callBuiltinFunction("sleep", {n(seconds)}, &textOut), 1.0);
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_TRUE(took >= atLeast && took < below);
        EXPECT_EQ(textOut, "kept");
    }
}

TEST(OutputAndDigests, ColourComponentsInSinglePrecision)
{
    const std::tuple<double, double, double, double> cases[] = {
        {16711680, 0, 100, 100},
        {65280, 120.00000357627869, 100, 100},
        {255, 240.00000715255737, 100, 100},
        {16744448, 30.117645263671875, 100, 100},
        {8421504, 0, 0, 50.1960813999176},
        {0, 0, 0, 0},
        {-1, 0, 0, 100},
        {0xFF00FF00, 120.00000357627869, 100, 100}, // alpha plays no part
        {4294967296.0 + 255, 240.00000715255737, 100, 100},
        {std::nan(""), 0, 0, 0},
        {1e19, 0, 0, 0},
        {65280.5, 120.23529767990112, 100, 100}, // rounds to 65281
    };
    for (const auto& [colour, hue, saturation, brightness] : cases)
    {
        SCOPED_TRACE(colour);
        EXPECT_EQ(callBuiltinFunction("rgb2hue", {n(colour)}, nullptr), hue);
        EXPECT_EQ(callBuiltinFunction("rgb2sat", {n(colour)}, nullptr), saturation);
        EXPECT_EQ(callBuiltinFunction("rgb2lum", {n(colour)}, nullptr), brightness);
    }
}

TEST(OutputAndDigests, DigestsAndChecksumsMatchPublishedVectors)
{
    const std::tuple<const char*, std::string, double, const char*> cases[] = {
        {"sha256", "abc", 3, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"sha256", "", 0, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"sha256", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 56,
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"sha256", "\xC3\xA9", 2, "4a99557e4033c3539de2eb65472017cad5f9557f7a0625a09f1c3f6e2ba69c4c"},
        {"md5", "", 0, "d41d8cd98f00b204e9800998ecf8427e"},
        {"md5", "a", 1, "0cc175b9c0f1b6a831c399e269772661"},
        {"md5", "abc", 3, "900150983cd24fb0d6963f7d28e17f72"},
        {"md5", "message digest", 14, "f96b697d7cb7938d525a2f31aaf161d0"},
        {"md5", "abcdefghijklmnopqrstuvwxyz", 26, "c3fcd3d76192e4007dfb496cca67e13b"},
        {"md5", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", 62,
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"md5", "12345678901234567890123456789012345678901234567890123456789012345678901234567890", 80,
         "57edf4a22be3c955ac49da2e2107b67a"},
        {"md5", "a\0b"s, 3, "70350f6027bce3713f6b76473084309b"},
        {"crc16", "123456789", 0x4B37, ""},
        {"crc16", "", 65535, ""},
        {"crc16", "\xFF\x80", 57409, ""},
        {"crc32", "123456789", 0xCBF43926, ""},
        {"crc32", "", 0, ""},
        {"crc32", "\xC3\xA9", 235179326, ""},
        {"crc32", "The quick brown fox jumps over the lazy dog", 0x414FA339, ""},
    };
    for (const auto& [name, text, result, textOutAfter] : cases)
    {
        SCOPED_TRACE(std::string(name) + "(\"" + text + "\")");
        std::string textOut = "a\n";
        EXPECT_EQ(callBuiltinFunction(name, {s(text)}, &textOut), result);
        EXPECT_EQ(textOut, textOutAfter);
    }
}

// A scratch directory removed with everything in it when the test ends.
class ScratchDirectory
{
  public:
    ScratchDirectory() { EXPECT_TRUE(dir_.createDirectory().wasOk()); }
    ~ScratchDirectory() { dir_.deleteRecursively(); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    juce::File file(const char* name) const { return dir_.getChildFile(name); }
    std::string path(const char* name) const { return file(name).getFullPathName().toStdString(); }
    int entries() const { return dir_.getNumberOfChildFiles(juce::File::findFilesAndDirectories); }
    std::string read(const char* name) const
    {
        juce::MemoryBlock data;
        file(name).loadFileAsData(data);
        return {static_cast<const char*>(data.getData()), data.getSize()};
    }
    void write(const char* name, const std::string& content) const
    {
        juce::FileOutputStream out(file(name));
        EXPECT_TRUE(out.openedOk() && out.setPosition(0) && out.truncate().wasOk());
        out.write(content.data(), content.size());
    }

  private:
    const juce::File dir_ = juce::File::createTempFile("morvantis-test");
};

std::string randomBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    std::mt19937 generator(7);
    for (char& b : bytes)
        b = static_cast<char>(generator());
    return bytes;
}

TEST(OutputAndDigests, FileDigestsReadWholeFiles)
{
    const ScratchDirectory scratch;
    const std::string big = randomBytes(3 * 1024 * 1024 + 17);
    std::string bigSha;
    std::string bigMd5;
    callBuiltinFunction("sha256", {s(big)}, &bigSha);
    callBuiltinFunction("md5", {s(big)}, &bigMd5);
    scratch.write("empty", "");
    scratch.write("abc", "abc");
    scratch.write("million-a", std::string(1000000, 'a'));
    scratch.write("big", big);
    const std::tuple<const char*, const char*, double, std::string> cases[] = {
        {"sha256_f", "empty", 0, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"md5_f", "empty", 0, "d41d8cd98f00b204e9800998ecf8427e"},
        {"sha256_f", "abc", 3, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"md5_f", "abc", 3, "900150983cd24fb0d6963f7d28e17f72"},
        {"sha256_f", "million-a", 1e6, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {"md5_f", "million-a", 1e6, "7707d6ae4e027c70eea2a935c2296f21"},
        {"sha256_f", "big", static_cast<double>(big.size()), bigSha},
        {"md5_f", "big", static_cast<double>(big.size()), bigMd5},
    };
    for (const auto& [name, file, size, digest] : cases)
    {
        SCOPED_TRACE(std::string(name) + " of " + file);
        std::string textOut = "old";
        EXPECT_EQ(callBuiltinFunction(name, {s(scratch.path(file))}, &textOut), size);
        EXPECT_EQ(textOut, digest);
    }
}

TEST(OutputAndDigests, FileDigestsOfWhatCannotBeReadGiveNothing)
{
    const ScratchDirectory scratch;
    scratch.write("file.txt", "abc");
    scratch.write("locked", "secret");
    ASSERT_EQ(::chmod(scratch.path("locked").c_str(), 0), 0);
    ASSERT_TRUE(scratch.file("dir").createDirectory().wasOk());
    // No file mode keeps root out, so a root run reads as "nobody" for a while.
    const bool wasRoot = ::geteuid() == 0;
    if (wasRoot && ::seteuid(65534) != 0)
        GTEST_SKIP() << "running as root and cannot give it up";
    for (const char* name : {"sha256_f", "md5_f"})
    {
        for (const char* file : {"dir", "missing", "file.txt/x", "locked"})
        {
            SCOPED_TRACE(std::string(name) + " of " + file);
            std::string textOut = "old";
            EXPECT_EQ(callBuiltinFunction(name, {s(scratch.path(file))}, &textOut), 0.0);
            EXPECT_EQ(textOut, "");
        }
    }
    if (wasRoot)
    {
        ASSERT_EQ(::seteuid(0), 0);
    }
}

TEST(OutputAndDigests, PrintAppendsPercentFTextAndClearEmpties)
{
    const std::pair<ValueList, std::string> cases[] = {
        {{}, ""},
        {{n(1.0 / 3.0)}, "0.333333\n"},
        {{n(2.5), s("x")}, "2.5\nx\n"},
        {{n(-1e-7), n(1e-7), n(100)}, "-0\n0\n100\n"},
        {{n(1e20)}, "100000000000000000000\n"},
        {{n(0.0078125), n(0.0234375)}, "0.007812\n0.023438\n"}, // exact ties go to the even digit
        {{n(HUGE_VAL), n(-HUGE_VAL), n(std::nan("")), n(-std::nan(""))}, "inf\n-inf\nnan\n-nan\n"},
        {{s(""), s("a\0b"s)}, "\na\0b\n"s},
    };
    for (const auto& [args, appended] : cases)
    {
        SCOPED_TRACE(appended);
        std::string textOut = "old\n";
        EXPECT_EQ(callBuiltinFunction("print", args, &textOut), 0.0);
        EXPECT_EQ(textOut, "old\n" + appended);
        EXPECT_EQ(callBuiltinFunction("clear", {}, &textOut), 0.0);
        EXPECT_EQ(textOut, "");
    }
    // Against the C runtime's own "%f" over many magnitudes.
    std::mt19937_64 generator(42);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    for (int i = 0; i < 5000; ++i)
    {
        const double value = mantissa(generator) * std::pow(10.0, static_cast<double>(i % 38 - 12));
        char reference[400];
        std::snprintf(reference, sizeof reference, "%f", value);
        std::string expected = reference;
        expected.erase(expected.find_last_not_of('0') + 1);
        if (expected.back() == '.')
            expected.pop_back();
        std::string textOut;
        callBuiltinFunction("print", {n(value)}, &textOut);
        ASSERT_EQ(textOut, expected + "\n") << value;
    }
}

// A one-request-at-a-time HTTP server on 127.0.0.1 answering from a table of paths.
class LocalHttpServer
{
  public:
    struct Reply
    {
        std::string status;
        std::string body;
        std::size_t announced; // the Content-Length sent; above the body's size it imitates a cut connection
    };

    explicit LocalHttpServer(std::map<std::string, Reply> replies) : replies_(std::move(replies))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        EXPECT_TRUE(::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                    ::listen(listener_, 8) == 0 &&
                    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread(
            [this]
            {
                for (pollfd waiting{listener_, POLLIN, 0}; !stop_;)
                    if (::poll(&waiting, 1, 20) > 0)
                        answer(::accept(listener_, nullptr, nullptr));
            });
    }
    ~LocalHttpServer()
    {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

  private:
    void answer(int connection) const
    {
        std::string request;
        char chunk[1024];
        for (ssize_t got = 1; got > 0 && request.find("\r\n\r\n") == std::string::npos;)
            if ((got = ::recv(connection, chunk, sizeof chunk, 0)) > 0)
                request.append(chunk, static_cast<std::size_t>(got));
        const std::size_t from = request.find(' ') + 1;
        const auto found = replies_.find(request.substr(from, request.find(' ', from) - from));
        const Reply reply = found != replies_.end() ? found->second : Reply{"404 Not Found", "", 0};
        const std::string response = "HTTP/1.1 " + reply.status +
                                     "\r\nContent-Length: " + std::to_string(reply.announced) +
                                     "\r\nConnection: close\r\n\r\n" + reply.body;
        for (std::size_t sent = 0; sent < response.size();)
        {
            const ssize_t put = ::send(connection, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
            if (put <= 0)
                break;
            sent += static_cast<std::size_t>(put);
        }
        ::close(connection);
    }

    const std::map<std::string, Reply> replies_;
    const int listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A URL on 127.0.0.1 where nothing listens.
std::string closedPortUrl()
{
    const std::string url = LocalHttpServer({}).url("/");
    return url;
}

const std::string kLargeBody = randomBytes(300000);

std::map<std::string, LocalHttpServer::Reply> replies()
{
    return {{"/hello", {"200 OK", "hello world", 11}},
            {"/missing", {"404 Not Found", "not here", 8}},
            {"/nul", {"200 OK", "a\0b\0\0c"s, 6}},
            {"/empty", {"200 OK", "", 0}},
            {"/large", {"200 OK", kLargeBody, kLargeBody.size()}},
            {"/cut", {"200 OK", kLargeBody, 2 * kLargeBody.size()}}};
}

TEST(OutputAndDigests, UrlTakesAnyBodyAndReplacesAFileOnlyWithAWholeOne)
{
    const LocalHttpServer server(replies());
    // What a cut body gives without a file name is left open.
    const std::tuple<std::string, std::string, bool> cases[] = {
        {server.url("/hello"), "hello world", true},
        {server.url("/missing"), "not here", true},
        {server.url("/nul"), "a\0b\0\0c"s, true},
        {server.url("/empty"), "", true},
        {server.url("/large"), kLargeBody, true},
        {server.url("/cut"), kLargeBody, false},
        {closedPortUrl(), "", false},
    };
    for (const auto& [address, body, whole] : cases)
    {
        SCOPED_TRACE(address);
        std::string textOut = "old";
        const double size = static_cast<double>(body.size());
        const double collected = callBuiltinFunction("url", {s(address)}, &textOut);
        EXPECT_TRUE((!whole && !body.empty()) || (collected == size && textOut == body));
        const ScratchDirectory scratch;
        scratch.write("target", "old content");
        EXPECT_EQ(callBuiltinFunction("url", {s(address), s(scratch.path("target"))}, &textOut), whole ? size : 0.0);
        EXPECT_EQ(textOut, "");
        EXPECT_TRUE(scratch.read("target") == (whole ? body : "old content"));
        EXPECT_EQ(scratch.entries(), 1) << "no temporary file may stay behind";
    }
    const ScratchDirectory scratch;
    EXPECT_EQ(callBuiltinFunction("url", {s(server.url("/hello")), s(scratch.path("new"))}, nullptr), 11);
    EXPECT_EQ(scratch.read("new"), "hello world");
}

} // namespace
