#include "CodeForm.h"
#include "LearnChain.h"
#include "SignalBuilder.h"

#include <gtest/gtest.h>

namespace qmv {
namespace {

unsigned firstByte(const StoredCode& code)
{
    return static_cast<unsigned>(std::stoul(code.identifier.substr(0, 2), nullptr, 16));
}

StoredCode learnedCode(const test::Durations& signal)
{
    const auto learned = bench::learn(signal, 38000);
    EXPECT_TRUE(learned);
    if (!learned)
        return {};
    const auto played = bench::playStored(learned->code);
    EXPECT_TRUE(played && bench::playsBackFaithfully(signal, *played));
    return learned->code;
}

// Keys of one device with an unknown protocol share their timing table and frame layout.
TEST(PulseForm, KeysOfOneDeviceShareTheirSlot)
{
    const auto power = learnedCode(test::withRepeats(test::pulseDistanceFrame(0x5A3C01, 24), 2, 30000));
    const auto volume = learnedCode(test::withRepeats(test::pulseDistanceFrame(0x5A3C7E, 24), 2, 30000));
    EXPECT_GE(firstByte(power), 0x40u);
    EXPECT_LT(firstByte(power), 0x80u);
    EXPECT_EQ(power.identifier, volume.identifier);
    EXPECT_EQ(power.data, volume.data);
    EXPECT_NE(power.parameters, volume.parameters);
}

TEST(PulseForm, DifferentDevicesGetDifferentSlots)
{
    const auto a = learnedCode(test::pulseDistanceFrame(0x5A3C01, 24));
    const auto b = learnedCode(test::pulseDistanceFrame(0x5A3C01, 24, 6000, 3000));
    EXPECT_NE(a.identifier, b.identifier);
}

// Jitter of a few microseconds between captures of one remote does not split its slot.
TEST(PulseForm, SmallTimingJitterKeepsTheSlot)
{
    auto jittered = test::pulseDistanceFrame(0x123456, 24);
    for (std::size_t i = 0; i < jittered.size(); ++i)
        jittered[i] += (i % 3) * 4;
    EXPECT_EQ(learnedCode(jittered).identifier,
              learnedCode(test::pulseDistanceFrame(0x654321, 24)).identifier);
}

TEST(RawForm, IrregularSignalIsStoredRaw)
{
    const auto signal = test::irregularSignal(61, 7);
    const auto code = learnedCode(signal);
    EXPECT_GE(firstByte(code), 0x80u);
    EXPECT_FALSE(code.data.empty());
    EXPECT_EQ(learnedCode(signal).identifier, code.identifier);
    EXPECT_NE(learnedCode(test::irregularSignal(61, 8)).identifier, code.identifier);
}

TEST(RawForm, ShortSignalStillHasSlotData)
{
    const auto code = learnedCode({9000, 9000, 300});
    EXPECT_FALSE(code.data.empty());
    EXPECT_GE(firstByte(code), 0x22u);
}

// A 39 us space reaches the converter as 58 us, the receiver's floor; grouping it with the 150 us
// space would play it 65 us long.
TEST(RawForm, SpacesBelowTheReceiverFloorStayShort)
{
    learnedCode({300, 39, 300, 150, 300, 150, 300});
}

TEST(RawForm, LongFramesAndGapsPlayBackFaithfully)
{
    auto signal = test::irregularSignal(301, 99);
    signal.push_back(45000);
    const auto more = test::irregularSignal(101, 5);
    signal.insert(signal.end(), more.begin(), more.end());
    learnedCode(signal);
}

// Body values in microseconds: "FEFE" gap "EDED" between frames, the end sequence last.
std::string body(const test::Durations& durations)
{
    std::string text;
    char group[8];
    for (std::uint32_t d : durations) {
        std::snprintf(group, sizeof group, "%04X", d);
        text += group;
    }
    return text + "FEFE0014EDED";
}

TEST(Convert, SingleMarkIsACode)
{
    EXPECT_NE(convert("0100FEFE0014EDED"), "");
    EXPECT_NE(convert("0100EDED"), "");
}

TEST(Convert, GarbageConvertsToEmpty)
{
    for (const char* text : {"", "XYZ", "FEFE", "EDED", "0100", "0100FEFE0014", "01000200FEFE0014",
                             "0100FEFE0014EDED0100", "GGGGFEFE0014EDED"})
        EXPECT_EQ(convert(text), "") << text;
}

TEST(Convert, CodeTooLargeForOneSlotConvertsToEmpty)
{
    // 4,001 values of dozens of lengths: at five bits each, more than 255 units.
    EXPECT_EQ(convert(body(test::irregularSignal(4001, 3))), "");
    EXPECT_NE(convert(body(test::irregularSignal(301, 3))), "");
}

TEST(Convert, ToleratesPrefixDigitsOfLongFrameCounts)
{
    const std::string plain = body(test::pulseDistanceFrame(0xABCDEF, 24));
    EXPECT_EQ(convert("0" + plain), convert(plain));
}

TEST(Convert, NegativeMarksAreShortMarks)
{
    const std::string text = "FFFFFFCB"
                             "0200"
                             "0300FEFE0014EDED";
    const auto code = parseConverterOutput(convert(text));
    ASSERT_TRUE(code);
    const auto played = bench::playStored(*code);
    ASSERT_TRUE(played);
    ASSERT_EQ(played->durations.size(), 3u);
    EXPECT_LE(played->durations[0], 50u);
}

} // namespace
} // namespace qmv
