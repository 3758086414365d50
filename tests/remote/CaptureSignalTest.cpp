#include "CaptureSignal.h"

#include <gtest/gtest.h>

using namespace qmv::remote;

namespace {

std::vector<std::string> groups(const std::string& capture)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i + 4 <= capture.size() && capture[i] != '\0'; i += 4)
        out.push_back(capture.substr(i, 4));
    return out;
}

} // namespace

TEST(CaptureText, LongSpacesBecomeRunsAndLongMarksAJoinedPair)
{
    // A 30 ms space: (30000 - 58) * 3 = 89826 thirds = 2 runs of 7FFF + 24292 (0x5EE4).
    // A 15 ms mark: (15000 + 58) * 3 = 45174 thirds = 7FFF + mark 12407 (0xB077 with bit 15).
    const auto capture = captureText({{15000, 30000, 500}, 38000});
    ASSERT_TRUE(capture);
    const auto g = groups(*capture);
    ASSERT_GE(g.size(), 6u);
    EXPECT_EQ(g[0], "7FFF");
    EXPECT_EQ(g[1], "B077");
    EXPECT_EQ(g[2], "7FFF");
    EXPECT_EQ(g[3], "7FFF");
    EXPECT_EQ(g[4], "5EE4");
    EXPECT_EQ(g[5], "868A"); // (500 + 58) * 3 with bit 15
}

TEST(CaptureText, TrailingSpaceIsNotRecordedAndShortSpacesClampAtZero)
{
    const auto capture = captureText({{500, 40, 500, 9999}, 0});
    ASSERT_TRUE(capture);
    const auto g = groups(*capture);
    EXPECT_EQ(g[1], "0000");
    EXPECT_EQ(g[3], "7FFF") << "the end marker follows the last mark directly";
    EXPECT_EQ(g[g.size() - 2], "0000") << "unknown carrier measures as zero";
    EXPECT_EQ(g.size(), 3u + 20u + 2u);
}

TEST(CaptureText, RefusesWhatTheBufferCannotHold)
{
    EXPECT_FALSE(captureText({{}, 38000}));
    EXPECT_FALSE(captureText({{0, 100, 100}, 38000})) << "zero duration";
    EXPECT_FALSE(captureText({{capture::longestMarkMicros + 1}, 38000}));
    EXPECT_TRUE(captureText({{capture::longestMarkMicros}, 38000}));
    EXPECT_FALSE(captureText({{500, capture::longestSpaceMicros + 1, 500}, 38000}));

    Signal full{std::vector<std::uint32_t>(capture::signalGroups, 500), 38000};
    full.durations.pop_back(); // odd count: ends with a mark, exactly filling the buffer
    const auto fits = captureText(full);
    ASSERT_TRUE(fits);
    EXPECT_EQ(fits->size(), capture::bufferChars);
    full.durations.push_back(500);
    full.durations.push_back(500);
    EXPECT_FALSE(captureText(full));
}

TEST(TimingsFile, ReadsCarrierAndDurationsOverSeveralLines)
{
    std::string error;
    const auto signal = parseTimings("carrier 36000\n9000 4500\n560 560   560\n", &error);
    ASSERT_TRUE(signal) << error;
    EXPECT_EQ(signal->carrierHz, 36000u);
    EXPECT_EQ(signal->durations, (std::vector<std::uint32_t>{9000, 4500, 560, 560, 560}));
}

TEST(TimingsFile, BadValuesAreNamedWithTheirLine)
{
    std::string error;
    EXPECT_FALSE(parseTimings("100 200\n300 -5\n", &error));
    EXPECT_NE(error.find("2"), std::string::npos);
    EXPECT_NE(error.find("-5"), std::string::npos);

    EXPECT_FALSE(parseTimings("100 0 100", &error));
    EXPECT_NE(error.find("\"0\""), std::string::npos);
    EXPECT_FALSE(parseTimings("100 2.5", &error));
    EXPECT_NE(error.find("2.5"), std::string::npos);
    EXPECT_FALSE(parseTimings("carrier fast\n100", &error));
    EXPECT_NE(error.find("fast"), std::string::npos);
    EXPECT_FALSE(parseTimings("\n\n", &error));
    EXPECT_FALSE(parseTimings("100 9999999999999999999", &error));

    EXPECT_FALSE(parseTimings("100\n200 500000", &error)) << "a space longer than the receiver records";
    EXPECT_NE(error.find("500000"), std::string::npos);
    EXPECT_NE(error.find("2"), std::string::npos);
}

TEST(TimingsFile, TooManyDurationsAreRefusedAtTheFirstThatDoesNotFit)
{
    std::string text;
    for (std::size_t i = 0; i < capture::signalGroups + 10; ++i)
        text += "500\n";
    std::string error;
    EXPECT_FALSE(parseTimings(text, &error));
    EXPECT_NE(error.find(std::to_string(capture::signalGroups + 1)), std::string::npos) << error;
}

TEST(CaptureTextDetection, TellsCaptureTextFromDurations)
{
    EXPECT_FALSE(isCaptureText("9000 4500 560\n"));
    std::string oneALine;
    for (int i = 0; i < 40; ++i)
        oneALine += i % 2 ? "1690\n" : "560\n";
    EXPECT_FALSE(isCaptureText("9000\n4500\n" + oneALine)) << "digits alone are durations";
    std::string capture = "8C66";
    for (int i = 0; i < 22; ++i)
        capture += "7FFF";
    EXPECT_TRUE(isCaptureText(capture));
    EXPECT_FALSE(isCaptureText("8C66"));
}
