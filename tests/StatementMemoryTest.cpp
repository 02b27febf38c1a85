// What a statement holds at its peak follows its text, never the number of calls it runs: the
// heap bytes of parsing, of the arena's chunks and of every call, counted by HeapCounter.
#include "support/EngineTesting.h"
#include "support/HeapCounter.h"

#include <gtest/gtest.h>

#include <string>

using namespace Morvantis::ExpressionUtils;
using Morvantis::Testing::heapBytes, Morvantis::Testing::peakHeapBytes, Morvantis::Testing::restartPeak;

namespace
{

std::size_t peakOf(Evaluator& evaluator, const std::string& text)
{
    restartPeak();
    const std::size_t before = heapBytes();
    const Testing::Outcome o = Testing::evaluate(evaluator, text);
    EXPECT_TRUE(o.ok) << text << ": " << o.error;
    return peakHeapBytes() - before;
}

TEST(StatementMemory, NestedLoopsHoldWhatOneBodyHolds)
{
    for (const char* body : {"max(i, j, k)", "hex('ff')", "min(i, 2) + max(j, 3)", "max(i, j, k, 4, 5, 6, 7)"})
    {
        SCOPED_TRACE(body);
        Evaluator evaluator;
        // The variables and the built-ins' own tables exist before either is measured; a sum may not
        // begin a statement.
        const std::string once = std::string("i = 1; j = 2; k = 3; (") + body + ")";
        peakOf(evaluator, once);
        // 970,299 calls of the body.
        const std::string loops = std::string("for(i = 0, i < 99, i = i + 1, for(j = 0, j < 99, j = j + 1, ") +
                                  "for(k = 0, k < 99, k = k + 1, " + body + ")))";
        EXPECT_LE(peakOf(evaluator, loops), peakOf(evaluator, once) + 8192);
    }
}

} // namespace
