#include "CodeForm.h"
#include "LearnChain.h"

#include <gtest/gtest.h>

namespace qmv {
namespace {

struct ProtocolCase
{
    const char* protocol;
    std::uint32_t address;
    std::uint32_t command;
};

void PrintTo(const ProtocolCase& c, std::ostream* os)
{
    *os << c.protocol;
}

class ProtocolRecognition : public ::testing::TestWithParam<ProtocolCase>
{
};

// A code played with its protocol's standard timing and learned back is stored directly, as
// the same protocol, address and command.
TEST_P(ProtocolRecognition, LearnedCodeIsStoredAsItsProtocol)
{
    const ProtocolCase& c = GetParam();
    const auto code = protocolCode(c.protocol, c.address, c.command);
    ASSERT_TRUE(code);
    const auto sent = play(code->identifier, code->parameters, code->data);
    ASSERT_TRUE(sent);
    const auto learned = bench::learn(sent->durations, sent->carrierHz);
    ASSERT_TRUE(learned);
    EXPECT_EQ(learned->code.identifier, code->identifier);
    EXPECT_EQ(learned->code.data, "");
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    const auto expected = describe(code->identifier, code->parameters);
    ASSERT_TRUE(info && expected);
    EXPECT_EQ(info->address, expected->address);
    EXPECT_EQ(info->command, expected->command);
    const auto played = bench::playStored(learned->code);
    ASSERT_TRUE(played);
    EXPECT_TRUE(bench::playsBackFaithfully(sent->durations, *played));
}

INSTANTIATE_TEST_SUITE_P(
    Families, ProtocolRecognition,
    ::testing::Values(ProtocolCase{"NEC", 0x04, 0x0D}, ProtocolCase{"NECext", 0xE710, 0xE916},
                      ProtocolCase{"NECext", 0x1234, 0x5678}, ProtocolCase{"NEC42", 0x6E, 0x11},
                      ProtocolCase{"NEC42ext", 0x12345, 0xABCD}, ProtocolCase{"Samsung32", 0x07, 0x04},
                      ProtocolCase{"RC5", 0x14, 0x1D}, ProtocolCase{"RC5", 0x00, 0x3F},
                      ProtocolCase{"RC5X", 0x10, 0x15}, ProtocolCase{"RC6", 0x46, 0x5C},
                      ProtocolCase{"RC6", 0x00, 0xFF}, ProtocolCase{"SIRC", 0x01, 0x15},
                      ProtocolCase{"SIRC15", 0x90, 0x40}, ProtocolCase{"SIRC20", 0x073A, 0x30},
                      ProtocolCase{"Kaseikyo", 0x2002A0, 0x210}, ProtocolCase{"Kaseikyo", 0x1032A2A, 0x0F1},
                      ProtocolCase{"RCA", 0x0F, 0x3C}, ProtocolCase{"Pioneer", 0xAA, 0x26},
                      ProtocolCase{"JVC", 0x83, 0x17}, ProtocolCase{"Sharp", 0x1A, 0x5C}),
    [](const auto& param) { return std::string(param.param.protocol) + "_" + std::to_string(param.index); });

std::vector<std::uint32_t> necFrame(std::uint32_t headerMark, std::uint32_t bitMark, std::uint8_t address,
                                    std::uint8_t command)
{
    std::vector<std::uint32_t> frame{headerMark, 4500};
    const std::uint32_t word = address | (~address & 0xFFu) << 8 | command << 16 | (~command & 0xFFu) << 24;
    for (int i = 0; i < 32; ++i) {
        frame.push_back(bitMark);
        frame.push_back(((word >> i) & 1u) ? 1690 : 560);
    }
    frame.push_back(bitMark);
    return frame;
}

// A remote whose marks run 11 % long is still read as its protocol and played back with its own
// timing, repeat frames and gaps included.
TEST(ProtocolRecognitionTiming, KeepsLearnedTimingAndRepeats)
{
    std::vector<std::uint32_t> signal = necFrame(9560, 622, 0x04, 0x0D);
    for (int i = 0; i < 2; ++i) {
        signal.push_back(i == 0 ? 39855 : 96990);
        signal.insert(signal.end(), {9550, 2255, 620});
    }
    const auto learned = bench::learn(signal, 38000);
    ASSERT_TRUE(learned);
    EXPECT_EQ(learned->code.identifier, "010000");
    const auto played = bench::playStored(learned->code);
    ASSERT_TRUE(played);
    EXPECT_TRUE(bench::playsBackFaithfully(signal, *played));
    EXPECT_EQ(played->durations.size(), signal.size());
}

// The sample's Pioneer and NEC differ by header length alone; the closer standard wins.
TEST(ProtocolRecognitionTiming, ChoosesProtocolWithClosestTiming)
{
    const auto pioneer = protocolCode("Pioneer", 0xA5, 0x5E);
    const auto sent = bench::playStored(*pioneer);
    const auto learned = bench::learn(sent->durations, sent->carrierHz);
    ASSERT_TRUE(learned);
    EXPECT_EQ(describe(learned->code.identifier, learned->code.parameters)->protocol, "Pioneer");
}

// Denon's Kaseikyo frames are learned as Denon-K (its own address and command fields), while a
// code stored under the Kaseikyo number still plays and reads as Kaseikyo.
TEST(ProtocolRecognitionTiming, DenonVendorFramesAreDenonK)
{
    const auto kaseikyo = protocolCode("Kaseikyo", 0x01325443, 0x2D5);
    ASSERT_TRUE(kaseikyo);
    EXPECT_EQ(describe(kaseikyo->identifier, kaseikyo->parameters)->protocol, "Kaseikyo");
    const auto sent = bench::playStored(*kaseikyo);
    ASSERT_TRUE(sent);
    const auto learned = bench::learn(sent->durations, sent->carrierHz);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->protocol, "Denon-K");
    EXPECT_EQ(info->address, "34 00 00 00");
    EXPECT_EQ(info->command, "D5 06 00 00");
    EXPECT_EQ(bench::playStored(learned->code)->durations, sent->durations);

    // Another vendor's frame stays Kaseikyo.
    const auto other = bench::playStored(*protocolCode("Kaseikyo", 0x01325543, 0x2D5));
    const auto otherLearned = bench::learn(other->durations, other->carrierHz);
    ASSERT_TRUE(otherLearned);
    EXPECT_EQ(describe(otherLearned->code.identifier, otherLearned->code.parameters)->protocol, "Kaseikyo");
}

// Panasonic's frames ending on a command byte and its complement are Panasonic-CC, but where the
// two bytes before them complement each other too, the last byte is also Kaseikyo's check byte:
// those frames stay Kaseikyo's, and Panasonic-CC does not store them.
TEST(ProtocolRecognitionTiming, PanasonicComplementFramesLeaveCheckedFramesToKaseikyo)
{
    const auto cc = bench::playStored(*protocolCode("Panasonic-CC", 0xB90, 0x21));
    ASSERT_TRUE(cc);
    const auto ccLearned = bench::learn(cc->durations, cc->carrierHz);
    ASSERT_TRUE(ccLearned);
    const auto ccInfo = describe(ccLearned->code.identifier, ccLearned->code.parameters);
    ASSERT_TRUE(ccInfo);
    EXPECT_EQ(ccInfo->protocol, "Panasonic-CC");
    EXPECT_EQ(ccInfo->address, "90 0B 00 00");
    EXPECT_EQ(ccInfo->command, "21 00 00 00");

    // Bytes 02 20 30 CF 55 AA: 30 ^ CF ^ 55 is AA, the check byte.
    EXPECT_FALSE(protocolCode("Panasonic-CC", 0xCF3, 0x55));
    const auto kaseikyo = bench::playStored(*protocolCode("Kaseikyo", 0x120023F, 0x15C));
    ASSERT_TRUE(kaseikyo);
    const auto learned = bench::learn(kaseikyo->durations, kaseikyo->carrierHz);
    ASSERT_TRUE(learned);
    EXPECT_EQ(describe(learned->code.identifier, learned->code.parameters)->protocol, "Kaseikyo");
}

TEST(ProtocolRecognitionTiming, RecognisedCodesPlayAtTheProtocolCarrier)
{
    EXPECT_EQ(bench::playStored(*protocolCode("RC5", 1, 1))->carrierHz, 36000u);
    EXPECT_EQ(bench::playStored(*protocolCode("SIRC", 1, 1))->carrierHz, 40000u);
    EXPECT_EQ(bench::playStored(*protocolCode("NEC", 1, 1))->carrierHz, 38000u);
}

} // namespace
} // namespace qmv
