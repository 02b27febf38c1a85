// libFuzzer entry: any text through the parser and the evaluator must neither crash nor leak.
#include "Text.h"

#include <Morvantis/Expression.h>
#include <Morvantis/TextConversion.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace
{
bool continuesName(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Names are matched ignoring case, as the engine does. A name glued to letters, digits or "_" on
// either side is a different identifier (or a syntax error after a number) and stays allowed.
bool mentionsName(const std::string& lowered, std::string_view name)
{
    for (std::size_t at = lowered.find(name); at != std::string::npos; at = lowered.find(name, at + 1))
    {
        const std::size_t end = at + name.size();
        if ((at == 0 || !continuesName(lowered[at - 1])) && (end == lowered.size() || !continuesName(lowered[end])))
            return true;
    }
    return false;
}

// sleep pauses by design, url reaches the network, and the two _f digests read and write files.
bool isRefused(const std::string& text)
{
    std::string lowered(text);
    for (char& c : lowered)
        c = Morvantis::ExpressionUtils::toLowerAscii(c);
    for (std::string_view name : {"sleep", "url", "sha256_f", "md5_f"})
        if (mentionsName(lowered, name))
            return true;
    return false;
}

// Copies every text the engine reports, as the editor's status bar does, so a dangling one shows.
class CopyingCallback final : public Morvantis::ExpressionUtils::Callback
{
  public:
    void onResult(const std::string& statement, double value, const std::string& textOut) override
    {
        last_ = statement + Morvantis::ExpressionUtils::numberToString(value) + textOut;
    }
    void onError(const std::string& statement, const std::string& message) override { last_ = statement + message; }

  private:
    std::string last_;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (isRefused(text))
        return -1;
    using namespace Morvantis::ExpressionUtils;
    // A fresh evaluator per input, so that every finding reproduces from its input alone.
    Evaluator evaluator;
    CopyingCallback callback;
    double result = 0.0;
    std::string error;
    evaluateText(evaluator, text, &result, &error, &callback);
    numberToString(result);
    WideString wide;
    utf8ToWide(text, wide);
    std::string back;
    wideToUtf8(wide, back);
    return 0;
}
