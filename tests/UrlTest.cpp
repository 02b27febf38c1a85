// url against a local server: bodies to the text output, to a new or old file, never over a folder.
#include "support/BuiltinTesting.h"
#include "support/LocalHttpServer.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;
using Morvantis::Testing::LocalHttpServer;
using Morvantis::Testing::ScratchDirectory;
using namespace std::string_literals;

// Refusals empty the text output too.
TEST(Url, Refusals)
{
    check({
        {"url", {}, 0, "Function 'url' expects 1 or more parameters.", ""},
        {"url", {str("a"), num(1)}, 0, "Function 'url' expects 'String' parameter 2.", ""},
    });
}

// Bytes of every value, in an order that shows any loss or reordering.
const std::string kLargeBody = []
{
    std::string bytes(300000, '\0');
    std::mt19937 generator(7);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(generator()); });
    return bytes;
}();

TEST(Url, UrlTakesAnyBodyAndReplacesAFileOnlyWithAWholeOne)
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

// A folder where the file should go, empty or not, or a link to one, is left as it was: the call gives 0
// and writes nothing, there or beside it.
TEST(Url, NeverReplacesAFolder)
{
    const LocalHttpServer server({{"/hello", {200, "hello world"}}});
    const ScratchDirectory scratch;
    ASSERT_TRUE(scratch.file("empty").createDirectory().wasOk());
    ASSERT_TRUE(scratch.file("full").createDirectory().wasOk());
    scratch.write("full/kept", "kept");
    ASSERT_TRUE(scratch.file("full").createSymbolicLink(scratch.file("link"), false));
    for (const char* folder : {"empty", "full", "link"})
    {
        SCOPED_TRACE(folder);
        std::string textOut = "old";
        EXPECT_EQ(callBuiltinFunction("url", {str(server.url("/hello")), str(scratch.path(folder))}, &textOut), 0.0);
        EXPECT_EQ(textOut, "");
        EXPECT_TRUE(scratch.file(folder).isDirectory());
        EXPECT_EQ(scratch.entries(), 3) << "nothing new beside the folder";
    }
    EXPECT_EQ(scratch.file("empty").getNumberOfChildFiles(juce::File::findFilesAndDirectories), 0);
    EXPECT_EQ(scratch.file("full").getNumberOfChildFiles(juce::File::findFilesAndDirectories), 1);
    EXPECT_EQ(scratch.read("full/kept"), "kept");
    EXPECT_TRUE(scratch.file("link").isSymbolicLink());
}

} // namespace
