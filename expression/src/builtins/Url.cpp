// url: an HTTP GET whose body goes to the text output or replaces a file.
#include "../Builtins.h"
#include "../JuceText.h"

#include <juce_core/juce_core.h>

#include <memory>

namespace Morvantis::ExpressionUtils::Builtins
{
namespace
{
// Writes the body beside the target first, so a failed or cut-off download never costs the old file.
// A folder (or a link to one) is never replaced: the move would take it away from where it was.
double download(juce::InputStream& body, const juce::File& target)
{
    if (target.isDirectory())
        return 0.0;
    const juce::TemporaryFile temporary(target);
    {
        juce::FileOutputStream out(temporary.getFile(), 16384);
        if (!out.openedOk())
            return 0.0;
        const juce::int64 copied = out.writeFromInputStream(body, -1);
        out.flush();
        const juce::int64 announced = body.getTotalLength();
        if (out.getStatus().failed() || (announced >= 0 && copied != announced))
            return 0.0;
    }
    if (!temporary.overwriteTargetFileWithTemporary())
        return 0.0;
    return static_cast<double>(target.getSize());
}

double fetchUrl(const ValueList& args, std::string& textOut)
{
    constexpr const char* f = "url";
    textOut.clear();
    expectAtLeast(f, args, 1);
    expectAtMost(f, args, 2);
    const std::string& address = stringArg(f, args, 0);
    if (args.size() == 2)
        stringArg(f, args, 1);

    // Headers and status are received but not examined: an error page's body is taken like any other.
    juce::StringPairArray responseHeaders;
    int statusCode = 0;
    const auto options = juce::URL::InputStreamOptions(juce::URL::ParameterHandling::inAddress)
                             .withConnectionTimeoutMs(0)
                             .withResponseHeaders(&responseHeaders)
                             .withStatusCode(&statusCode)
                             .withNumRedirectsToFollow(5);
    const std::unique_ptr<juce::InputStream> stream = juce::URL(fromUtf8(address)).createInputStream(options);
    if (stream == nullptr)
        return 0.0;

    if (args.size() == 2)
        return download(*stream, juce::File(fromUtf8(args[1].text)));

    juce::MemoryOutputStream collected(256);
    collected << *stream;
    textOut.assign(static_cast<const char*>(collected.getData()), collected.getDataSize());
    return static_cast<double>(textOut.size());
}

constexpr Entry kEntries[] = {
    {"url", fetchUrl},
};
} // namespace

const Family url(kEntries);

} // namespace Morvantis::ExpressionUtils::Builtins
