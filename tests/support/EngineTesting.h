// Helpers shared by the engine's tests: outcomes of whole texts, evaluated on an editor-sized stack.
#pragma once

#include <Morvantis/Expression.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <pthread.h>
#include <string>
#include <vector>

namespace Morvantis::ExpressionUtils::Testing
{

struct Outcome
{
    bool ok;
    double value;
    std::string error;
};

inline Outcome evaluate(Evaluator& evaluator, const std::string& text, Callback* callback = nullptr)
{
    Outcome o{false, -1.0, "untouched"};
    o.ok = evaluateText(evaluator, text, &o.value, &o.error, callback);
    return o;
}

inline std::string repeat(const std::string& part, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += part;
    return text;
}

// The test lanes build with GCC, which announces AddressSanitizer with this macro.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kStackScale = 6; // redzones make instrumented frames about five times larger
#else
constexpr std::size_t kStackScale = 1;
#endif

// Runs work on a thread with the stack of an editor's user-interface thread.
inline void runOnSmallStack(const std::function<void()>& work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1024 * 1024 * kStackScale);
    pthread_t thread;
    auto body = [](void* argument) -> void*
    {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    pthread_create(&thread, &attributes, body, const_cast<std::function<void()>*>(&work));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

struct OutcomeCase
{
    std::string text;
    double value;           // NaN: any NaN
    std::string error = {}; // empty: the text must succeed
};

// Evaluates each text with a fresh evaluator, on an editor-sized stack, and checks its value or its message.
inline void expectOutcomes(const std::vector<OutcomeCase>& cases)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text.substr(0, 60));
        Evaluator evaluator;
        Outcome o{};
        runOnSmallStack([&] { o = evaluate(evaluator, c.text); });
        EXPECT_EQ(o.error, c.error);
        EXPECT_TRUE(!c.error.empty() || (std::isnan(c.value) ? std::isnan(o.value) : o.value == c.value)) << o.value;
    }
}

} // namespace Morvantis::ExpressionUtils::Testing
