// Helpers shared by the engine's tests: tree text, a recording callback, and a small-stack thread.
#pragma once

#include "Parser.h"
#include "Terms.h"

#include <Morvantis/Expression.h>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <pthread.h>
#include <string>
#include <vector>

namespace Morvantis::ExpressionUtils::Testing
{

// The shape of a tree: numbers in shortest form, operators prefix, e.g. "(+ 1 (* 2 3))".
inline std::string treeText(const TermRef& term)
{
    if (!term)
        return "null";
    Term* t = term.get();
    if (auto* c = dynamic_cast<ConstantTerm*>(t))
    {
        char buffer[64];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, c->getValue());
        return std::string(buffer, r.ptr);
    }
    if (dynamic_cast<StringTerm*>(t) != nullptr)
        return "'" + t->toString() + "'";
    if (dynamic_cast<SymbolTerm*>(t) != nullptr)
        return t->getText();
    if (auto* f = dynamic_cast<FunctionTerm*>(t))
    {
        std::string text = f->getText() + "(";
        for (std::size_t i = 0; i < f->arguments().size(); ++i)
            text += (i ? " " : "") + treeText(f->arguments()[i]);
        return text + ")";
    }
    if (auto* n = dynamic_cast<Negate*>(t))
        return "(neg " + treeText(n->operand()) + ")";
    if (auto* n = dynamic_cast<LogicNot*>(t))
        return "(not " + treeText(n->operand()) + ")";
    auto* b = dynamic_cast<BinaryTerm*>(t);
    return "(" + b->getText() + " " + treeText(b->left()) + " " + treeText(b->right()) + ")";
}

struct ParseResult
{
    TermRef tree;
    std::string statement;
    std::string error;
    std::string remaining;
};

// Parses the first statement of text as the driver hands it over.
inline ParseResult parseFirst(const std::string& text)
{
    std::string buffer = text;
    std::string_view view(buffer);
    ParseResult r;
    std::string textOut;
    r.tree = parseExpression(view, r.statement, r.error, &textOut);
    r.remaining.assign(view);
    return r;
}

struct Report
{
    bool ok;
    std::string statement;
    double value;
    std::string text; // textOut for results, the message for errors
};

class RecordingCallback final : public Callback
{
public:
    void onResult(const std::string& statement, double value, const std::string& textOut) override
    {
        reports.push_back({true, statement, value, textOut});
    }
    void onError(const std::string& statement, const std::string& message) override
    {
        reports.push_back({false, statement, 0.0, message});
    }
    std::vector<Report> reports;
};

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

inline Outcome evaluate(const std::string& text)
{
    Evaluator evaluator;
    return evaluate(evaluator, text);
}

// GCC announces AddressSanitizer with a macro, clang only through __has_feature.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANTIS_TESTING_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(MORVANTIS_TESTING_ASAN)
constexpr std::size_t kStackScale = 6; // redzones make instrumented frames about five times larger
#else
constexpr std::size_t kStackScale = 1;
#endif

struct OutcomeCase
{
    std::string text;
    double value;            // NaN: any NaN
    std::string error = {}; // empty: the text must succeed
};

// Evaluates each text with a fresh evaluator and checks its value or its message.
inline void expectOutcomes(const std::vector<OutcomeCase>& cases)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text.substr(0, 60));
        const Outcome o = evaluate(c.text);
        EXPECT_EQ(o.error, c.error);
        if (!c.error.empty())
            continue;
        if (std::isnan(c.value))
        {
            EXPECT_TRUE(std::isnan(o.value)) << o.value;
        }
        else
        {
            EXPECT_EQ(o.value, c.value);
        }
    }
}

// Runs work on a thread with the stack of an editor's user-interface thread.
inline void runOnSmallStack(const std::function<void()>& work, std::size_t stackBytes = 1024 * 1024)
{
    stackBytes *= kStackScale;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    pthread_t thread;
    auto body = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    pthread_create(&thread, &attributes, body, const_cast<std::function<void()>*>(&work));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

} // namespace Morvantis::ExpressionUtils::Testing
