// sleep, colour components, url against a local server, digests, checksums, print and clear.
#include "Numeric.h"
#include "support/BuiltinTesting.h"
#include "support/LocalHttpServer.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <tuple>
#include <vector>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;
using Morvantis::Testing::LocalHttpServer;
using namespace std::string_literals;

TEST(PauseColourOutputAndDigests, SleepRoundsToMillisecondsAndSkipsWhatDoesNotFit)
{
    // {seconds, at least, below}, the two bounds in milliseconds
    const std::tuple<double, int, int> cases[] = {{0.0005, 1, 200}, {0.03, 30, 500}, {-2, 0, 50}, {3000000, 0, 50}};
    for (const auto& [seconds, atLeast, below] : cases)
    {
        const auto start = std::chrono::steady_clock::now();
        check({{"sleep", {num(seconds)}, 1}});
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_TRUE(took >= std::chrono::milliseconds(atLeast) && took < std::chrono::milliseconds(below)) << seconds;
    }
}

TEST(PauseColourOutputAndDigests, ColourComponentsInSinglePrecision)
{
    // 0xFF00FF00: alpha plays no part; 65280.5 rounds to 65281; NaN is black.
    checkCalls({
        {"rgb2hue", {{255, 240.00000715255737}, {16744448, 30.117645263671875}, {0xFF00FF00, 120.00000357627869}}},
        {"rgb2hue", {{65280.5, 120.23529767990112}, {8421504, 0}, {kNaN, 0}}},
        {"rgb2sat", {{16744448, 100}, {8421504, 0}, {-1, 0}, {kNaN, 0}}},
        {"rgb2lum", {{16744448, 100}, {8421504, 50.1960813999176}, {-1, 100}, {kNaN, 0}}},
    });
}

// A scratch directory removed with everything in it when the test ends.
class ScratchDirectory
{
  public:
    ScratchDirectory() { EXPECT_TRUE(dir_.createDirectory().wasOk()); }
    ~ScratchDirectory() { dir_.deleteRecursively(); }

    juce::File file(const char* name) const { return dir_.getChildFile(name); }
    std::string path(const char* name) const { return file(name).getFullPathName().toStdString(); }
    int entries() const { return dir_.getNumberOfChildFiles(juce::File::findFilesAndDirectories); }
    void write(const char* name, const std::string& content) const { std::ofstream(path(name)) << content; }
    std::string read(const char* name) const
    {
        juce::MemoryBlock data;
        file(name).loadFileAsData(data);
        return {static_cast<const char*>(data.getData()), data.getSize()};
    }

  private:
    const juce::File dir_ = juce::File::createTempFile("morvantis-test");
};

// Files of a million "a" show that a file's digest covers all of it. The checksums empty the text
// output as the digests do.
TEST(PauseColourOutputAndDigests, DigestsAndChecksumsMatchPublishedVectorsAndRefuse)
{
    const ScratchDirectory scratch;
    scratch.write("million-a", std::string(1000000, 'a'));
    const auto digest = [](const char* name, std::string arg, double size, const char* text) -> Case {
        return {name, {str(std::move(arg))}, size, {}, text};
    };
    check({
        digest("sha256", "abc", 3, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"),
        digest("sha256", "", 0, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"),
        digest("md5", "abc", 3, "900150983cd24fb0d6963f7d28e17f72"),
        digest("md5", "a\0b"s, 3, "70350f6027bce3713f6b76473084309b"),
        digest("sha256_f", scratch.path("million-a"), 1e6,
               "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"),
        digest("md5_f", scratch.path("million-a"), 1e6, "7707d6ae4e027c70eea2a935c2296f21"),
        digest("crc16", "123456789", 0x4B37, ""),
        digest("crc16", "\xFF\x80", 57409, ""),
        digest("crc32", "123456789", 0xCBF43926, ""),
        // Refusals empty the text output too, except clear's.
        {"url", {}, 0, "Function 'url' expects 1 or more parameters.", ""},
        {"url", {str("a"), num(1)}, 0, "Function 'url' expects 'String' parameter 2.", ""},
        {"sha256_f", {}, 0, "Function 'sha256_f' expects 1 parameters.", ""},
        {"md5", {num(1)}, 0, "Function 'md5' expects 'String' parameter 1.", ""},
        {"crc16", {num(1)}, 0, "Function 'crc16' expects 'String' parameter 1.", ""},
        {"clear", {num(1)}, 0, "Function 'clear' expects 0 parameters."},
    });

    // What cannot be read gives nothing. No file mode keeps root out, so a root run reads as "nobody" for a while.
    scratch.write("locked", "secret");
    ASSERT_EQ(::chmod(scratch.path("locked").c_str(), 0), 0);
    ASSERT_TRUE(scratch.file("dir").createDirectory().wasOk());
    const bool wasRoot = ::geteuid() == 0;
    if (wasRoot && ::seteuid(65534) != 0)
        GTEST_SKIP() << "running as root and cannot give it up";
    std::vector<Case> cases;
    for (const char* name : {"sha256_f", "md5_f"})
        for (const char* file : {"dir", "missing", "locked"})
            cases.push_back({name, {str(scratch.path(file))}, 0, {}, ""});
    check(cases);
    EXPECT_TRUE(!wasRoot || ::seteuid(0) == 0);
}

TEST(PauseColourOutputAndDigests, PrintAppendsPercentFTextAndClearEmpties)
{
    check({
        {"print", {}, 0, {}, kUntouched},
        {"print", {num(2.5), str("x")}, 0, {}, kUntouched + "2.5\nx\n"s},
        {"print", {num(-1e-7), num(100)}, 0, {}, kUntouched + "-0\n100\n"s},
        {"print", {num(kInf), num(-kInf), num(kNaN), num(-kNaN)}, 0, {}, kUntouched + "inf\n-inf\nnan\n-nan\n"s},
        {"print", {str(""), str("a\0b"s)}, 0, {}, kUntouched + "\na\0b\n"s},
        {"clear", {}, 0, {}, ""},
    });
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
        callBuiltinFunction("print", {num(value)}, &textOut);
        ASSERT_EQ(textOut, expected + "\n") << value;
    }
}

// Bytes of every value, in an order that shows any loss or reordering.
const std::string kLargeBody = []
{
    std::string bytes(300000, '\0');
    std::mt19937 generator(7);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(generator()); });
    return bytes;
}();

TEST(PauseColourOutputAndDigests, UrlTakesAnyBodyAndReplacesAFileOnlyWithAWholeOne)
{
    // clang-format off
    const LocalHttpServer server({{"/hello", {200, "hello world"}}, {"/missing", {404, "not here"}},
                                  {"/nul", {200, "a\0b\0\0c"s}}, {"/empty", {200, ""}}, {"/large", {200, kLargeBody}},
                                  {"/cut", {200, kLargeBody, true}}});
    // clang-format on
    // What a cut body gives without a file name is left open.
    const std::tuple<std::string, std::string, bool> cases[] = {
        {server.url("/hello"), "hello world", true}, {server.url("/missing"), "not here", true},
        {server.url("/nul"), "a\0b\0\0c"s, true},    {server.url("/empty"), "", true},
        {server.url("/large"), kLargeBody, true},    {server.url("/cut"), kLargeBody, false},
        {LocalHttpServer({}).url("/"), "", false}, // nothing listens there any more
    };
    for (const auto& [address, body, whole] : cases)
    {
        SCOPED_TRACE(address);
        std::string textOut = "old";
        const double size = static_cast<double>(body.size());
        const double collected = callBuiltinFunction("url", {str(address)}, &textOut);
        EXPECT_TRUE((!whole && !body.empty()) || (collected == size && textOut == body));
        const ScratchDirectory scratch;
        scratch.write("target", "old content");
        EXPECT_EQ(callBuiltinFunction("url", {str(address), str(scratch.path("target"))}, &textOut),
                  whole ? size : 0.0);
        EXPECT_EQ(textOut, "");
        EXPECT_TRUE(scratch.read("target") == (whole ? body : "old content"));
        EXPECT_EQ(scratch.entries(), 1) << "no temporary file may stay behind";
    }
    const ScratchDirectory scratch;
    EXPECT_EQ(callBuiltinFunction("url", {str(server.url("/hello")), str(scratch.path("new"))}, nullptr), 11);
    EXPECT_EQ(scratch.read("new"), "hello world");
}

} // namespace
