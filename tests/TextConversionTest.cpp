#include "Morvantis/TextConversion.h"
#include "JuceText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace
{

using namespace Morvantis::ExpressionUtils;
using namespace std::string_literals;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const std::string kTextMax = // of the largest double
    "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955863276687817154"
    "04589535143824642343213268894641827684675467035375169860499105765512820762454900903893289440758685084551"
    "33942304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858368";

TEST(NumberToString, CorrectlyRoundedFixedTextWithoutTrailingZeros)
{
    // clang-format off
    const std::pair<double, std::string> cases[] = {
        {0.0, "0"}, {-1e-13, "-0"}, {5e-13, "0"}, // just below half
        {1e-12, "0.000000000001"}, {1.0000000000005, "1.000000000001"}, {-9.9999999999995, "-10"}, {100.0, "100"},
        {0.1 + 0.2, "0.3"}, {2.0 / 3.0, "0.666666666667"}, {1e20, "100000000000000000000"},
        {std::numeric_limits<double>::lowest(), "-" + kTextMax}, // the longest text there is
        {-kNaN, "---"}, {kInf, "---"}, {-kInf, "---"},
    };
    // clang-format on
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(numberToString(value), expected);
}

// Each source is allocated to its exact size, so the sanitizer lane catches a read past what may be looked at.
TEST(Utf8CodePoint, SequencesErrorsAndRoom)
{
    // bytes, room, result, code point (on success)
    // clang-format off
    const std::tuple<std::string, int32_t, int32_t, uint32_t> cases[] = {
        {"\0"s, 8, 1, 0}, {"\x7F", 0, 1, 0x7F}, {"\xBF", 0, -1, 0}, {"\xC0\x80", 8, -1, 0}, {"\xFE", 8, -1, 0},
        {"\xDF\xBF", 2, 2, 0x7FF}, {"\xC3(", 8, -1, 0}, {"\xC3", 1, -2, 0}, {"\xE0\x9F\xBF", 8, -1, 0},
        {"\xE0\xA0\x80", 8, 3, 0x800}, {"\xED\xA0\x80", 8, 3, 0xD800}, {"\xEF\xBF\xBF", 3, 3, 0xFFFF},
        {"\xE2\x82", 2, -2, 0}, {"\xE2\x82\0"s, 8, -1, 0}, {"\xF0\x8F\xBF\xBF", 8, -1, 0},
        {"\xF0\x90\x80\x80", 8, 4, 0x10000}, {"\xF7\xBF\xBF\xBF", 8, 4, 0x1FFFFF}, {"\xF0\x9F\x98", 3, -2, 0},
        {"\xF8\x87\xBF\xBF\xBF", 8, -1, 0}, {"\xF8\x88\x80\x80\x80", 8, 5, 0x200000}, {"\xF8\x88\x80\x80", 4, -2, 0},
        {"\xFC\x83\xBF\xBF\xBF\xBF", 8, -1, 0}, {"\xFD\xBF\xBF\xBF\xBF\xBF", 6, 6, 0x7FFFFFFF},
        {"\xFD\xBF\xBF\x7F", 8, -1, 0},
    };
    // clang-format on
    for (const auto& [source, room, result, expected] : cases)
    {
        SCOPED_TRACE(testing::PrintToString(source) + " room " + std::to_string(room));
        const std::vector<char> exact(source.begin(), source.end());
        uint32_t codePoint = 0xDEADBEEF;
        EXPECT_EQ(decodeUtf8CodePoint(codePoint, exact.data(), room), result);
        EXPECT_EQ(codePoint, result > 0 ? expected : 0xDEADBEEF);
    }
    // The encoder past what wide text and the framework's strings reach, and with no room.
    char buffer[8] = {};
    EXPECT_EQ(encodeUtf8CodePoint(buffer, 0x41, 0), -2);
    EXPECT_EQ(encodeUtf8CodePoint(buffer, 0x80000000u, 8), -1);
    EXPECT_EQ(encodeUtf8CodePoint(buffer, 0x7FFFFFFF, 6), 6);
    EXPECT_EQ(std::string(buffer, 6), "\xFD\xBF\xBF\xBF\xBF\xBF");
}

TEST(Utf8ToWide, RefusedBytesSurrogatePairsAndNuls)
{
    // clang-format off
    const std::pair<std::string, WideString> cases[] = {
        {"", {}}, {"\xC3\xA9", {0xE9}}, {"\x80", {'#'}}, {"\xFE\xFF", {'#', '#'}}, {"\xC0\x80", {'#', '#'}},
        {"\xE0\x80\x80", {'#', '#', '#'}}, {"a\xE2\x82", {'a', '#', '#'}}, {"\xF0\x9F\x98", {'#', '#', '#'}},
        {"\xC3(", {'#', '('}}, {"\xE2\x82\0A"s, {'#', '#', 0, 'A'}}, {"\xED\xA0\x80", {0xD800}},
        {"\xED\xA0\xBD\xED\xB8\x80", {0xD83D, 0xDE00}}, {"a\0b"s, {'a', 0, 'b'}},
        {"x\xF0\x9F\x98\x80y", {'x', 0xD83D, 0xDE00, 'y'}}, {"\xF0\x90\x80\x80", {0xD800, 0xDC00}},
        {"\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}}, {"x\xF4\x90\x80\x80y", {'x', 0xFFFD, 'y'}},
        {"x\xF8\x88\x80\x80\x80y", {'x', 0xFFFD, 'y'}}, {"\xFD\xBF\xBF\xBF\xBF\xBFy", {0xFFFD, 'y'}},
        {"\xFD\xBF\xBF\xBF\xBF", {'#', '#', '#', '#', '#'}},
    };
    // clang-format on
    for (const auto& [input, expected] : cases)
    {
        WideString out{'o', 'l', 'd'};
        utf8ToWide(input, out);
        EXPECT_EQ(out, expected) << testing::PrintToString(input);
    }
}

TEST(WideToUtf8, EveryUnitEncodedAloneAndRoundTrips)
{
    // clang-format off
    const std::pair<WideString, std::string> cases[] = {
        {{}, ""}, {{0x7F}, "\x7F"}, {{0x80}, "\xC2\x80"}, {{0x7FF}, "\xDF\xBF"}, {{0x800}, "\xE0\xA0\x80"},
        {{0xFFFF}, "\xEF\xBF\xBF"}, {{'a', 0, 'b'}, "a\0b"s}, {{0xD83D, 0xDE00}, "\xED\xA0\xBD\xED\xB8\x80"},
    };
    // clang-format on
    for (const auto& [input, expected] : cases)
    {
        std::string out = "old";
        wideToUtf8(input, out);
        EXPECT_EQ(out, expected);
    }

    WideString everyUnit; // lone and reversed surrogates included
    for (uint32_t unit = 0xFFFF; unit != 0xFFFFFFFFu; --unit)
        everyUnit.push_back(static_cast<WideChar>(unit));
    std::string utf8;
    wideToUtf8(everyUnit, utf8);
    WideString back;
    utf8ToWide(utf8, back);
    EXPECT_TRUE(back == everyUnit);
}

// Encodes what the framework's strings hold, up to four bytes a code point.
TEST(CopyToUtf8Buffer, StopsAtCapacityAndMarksAUnitThatDoesNotFit)
{
    const juce::String eAcute = juce::String::charToString(0xE9), smiley = juce::String::charToString(0x1F600);
    // clang-format off
    const std::tuple<juce::String, int32_t, std::string> cases[] = {
        {"abcdef", 7, "abcdef\0"s}, {"abcdef", 4, "abc\0"s}, {"abcdef", 1, "\0"s}, {"abcdef", 0, ""},
        {"", 5, "\0"s}, {eAcute, 3, "\xC3\xA9\0"s}, {eAcute, 2, "~\0"s}, {"a" + eAcute + "b", 3, "a~\0"s},
        {"a" + eAcute + "b", 4, "a\xC3\xA9\0"s}, {smiley, 5, "\xF0\x9F\x98\x80\0"s}, {smiley, 4, "~\0"s},
    };
    // clang-format on
    for (const auto& [text, capacity, written] : cases)
    {
        std::string buffer(12, 'U');
        copyToUtf8Buffer(text, buffer.data(), capacity);
        EXPECT_EQ(buffer, written + std::string(12 - written.size(), 'U')) << text << " capacity " << capacity;
    }
}

} // namespace
