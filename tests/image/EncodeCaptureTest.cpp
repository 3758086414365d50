#include "CaptureBuilder.h"
#include "CaptureEncoding.h"

#include <gtest/gtest.h>

namespace qmv {
namespace {

using test::endMarker;
using test::repeatGroup;

// Code groups followed by the end marker and the given carrier groups, as TrimCapture leaves them.
std::string trimmed(std::string_view groups, std::string_view carrier = "1A1B1C00")
{
    return std::string(groups) + endMarker() + std::string(carrier);
}

TEST(EncodeCaptureDurations, MarkAndSpaceAreCorrectedForTheReceiver)
{
    EXPECT_EQ(EncodeCapture(trimmed("810001008100")), "16F12001B008F001BFEFE0014EDED");
}

TEST(EncodeCaptureDurations, ShortMarkIsWrittenAsTwosComplement)
{
    // 16 thirds is 5 microseconds, 53 below the receiver's lengthening.
    EXPECT_EQ(EncodeCapture(trimmed("8010")), "16F12FFFFFFCBFEFE0014EDED");
}

TEST(EncodeCaptureDurations, LongMarkJoinsWithFollowingMark)
{
    EXPECT_EQ(EncodeCapture(trimmed("7FFF800301008100")), "16F122A71008F001BFEFE0014EDED");
}

TEST(EncodeCaptureDurations, LongMarkBeforeSpaceTakesGreatestLength)
{
    EXPECT_EQ(EncodeCapture(trimmed("7FFF01008100")), "16F122A70008F001BFEFE0014EDED");
}

TEST(EncodeCaptureDurations, LongestPlainSpaceKeepsFourDigits)
{
    EXPECT_EQ(EncodeCapture(trimmed("81007FFE8100")), "16F12001B2AE4001BFEFE0014EDED");
}

TEST(EncodeCaptureFrames, LongSpaceBecomesFrameGapInMilliseconds)
{
    const std::string groups = "8100" + repeatGroup("7FFF", 3) + "0123" + "8100";
    EXPECT_EQ(EncodeCapture(trimmed(groups)), "26F12001BFEFE0020EDED001BEDED");
}

TEST(EncodeCaptureFrames, SingleLongGroupGap)
{
    // 7FFF + 3000 thirds: (35767 / 3 + 58) / 1000 = 11 ms.
    EXPECT_EQ(EncodeCapture(trimmed("81007FFF0BB88100")), "26F12001BFEFE000BEDED001BEDED");
}

TEST(EncodeCaptureFrames, ThreeFramesEndWithEndMarkOnly)
{
    const std::string gap = repeatGroup("7FFF", 2) + "0300";
    const std::string groups = "8100" + gap + "8100" + gap + "8100";
    const std::string encoded = EncodeCapture(trimmed(groups));
    EXPECT_EQ(encoded, "36F12001BFEFE0016EDED001BFEFE0016EDED001BEDED");
}

TEST(EncodeCaptureFrames, TenFramesLengthenThePrefix)
{
    const std::string gap = "7FFF0300";
    std::string groups = "8100";
    for (int i = 0; i < 9; ++i)
        groups += gap + "8100";
    const std::string encoded = EncodeCapture(trimmed(groups));
    ASSERT_FALSE(encoded.empty());
    EXPECT_EQ(encoded.substr(0, 6), "106F12");
    EXPECT_EQ(encoded.substr(encoded.size() - 8), "001BEDED");
}

TEST(EncodeCaptureCarrier, FigureIsThousandOverPeriod)
{
    EXPECT_EQ(EncodeCapture(trimmed("8100", "1A1B1C00")).substr(0, 5), "16F12");
    // 237 / 9 = 26.33 us: 37 kHz as the receiver measures 38 kHz.
    EXPECT_EQ(EncodeCapture(trimmed("8100", "4F4F4F00")).substr(0, 5), "12512");
}

TEST(EncodeCaptureCarrier, ZeroMeasurementGivesZeroFigure)
{
    EXPECT_EQ(EncodeCapture(trimmed("8100", "00000000")), "10000001BFEFE0014EDED");
}

TEST(EncodeCaptureCarrier, SecondGroupOnlyNeedsItsFirstByte)
{
    EXPECT_EQ(EncodeCapture(trimmed("8100", "1A1B1C")), "16F12001BFEFE0014EDED");
}

TEST(EncodeCaptureCarrier, HighFigureTakesMoreDigits)
{
    // Period 1/9 us: figure 9000, four digits before "12".
    EXPECT_EQ(EncodeCapture(trimmed("8100", "01000000")), "1232812001BFEFE0014EDED");
}

TEST(EncodeCaptureBadInput, NoEndMarkerEncodesToEmpty)
{
    EXPECT_EQ(EncodeCapture("0000"), "");
    EXPECT_EQ(EncodeCapture(TrimCapture(std::string(10240, '0'))), "");
    EXPECT_EQ(EncodeCapture(""), "");
}

TEST(EncodeCaptureBadInput, MissingOrShortCarrierEncodesToEmpty)
{
    EXPECT_EQ(EncodeCapture(trimmed("8100", "")), "");
    EXPECT_EQ(EncodeCapture(trimmed("8100", "1A1B")), "");
    EXPECT_EQ(EncodeCapture(trimmed("8100", "1A1B1")), "");
    EXPECT_EQ(EncodeCapture(trimmed("8100", "1A")), "");
}

TEST(EncodeCaptureBadInput, NonHexGroupsEncodeToEmpty)
{
    EXPECT_EQ(EncodeCapture(trimmed("81G0")), "");
    EXPECT_EQ(EncodeCapture(trimmed("8100", "1A1B 1C00")), "");
    EXPECT_EQ(EncodeCapture(std::string("8100\0"
                                        "000",
                                        8) +
                            endMarker() + "1A1B1C00"),
              "");
}

TEST(EncodeCaptureBadInput, TextEndingInsideCodeEncodesToEmpty)
{
    EXPECT_EQ(EncodeCapture("81000100"), "");
    EXPECT_EQ(EncodeCapture("8100" + repeatGroup("7FFF", 5)), "");
}

TEST(EncodeCaptureRoundTrip, TrimmedBufferEncodesLikeTrimmedText)
{
    const std::string groups = "8A5C"
                               "05D2"
                               "8300"
                               "7FFF"
                               "7FFF"
                               "1000"
                               "8A5C";
    const std::string buffer = test::captureBuffer(groups, "4F4F4F00");
    EXPECT_EQ(EncodeCapture(TrimCapture(buffer)), EncodeCapture(trimmed(groups, "4F4F4F00")));
    EXPECT_EQ(EncodeCapture(TrimCapture(buffer)), "22512033A022A00C6FEFE0017EDED033AEDED");
}

} // namespace
} // namespace qmv
