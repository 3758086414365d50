#include "CodeForm.h"

#include <gtest/gtest.h>

#include <set>

namespace qmv {
namespace {

const StoredCode kSlotCode{"4A12B0", "0123456789ABCDEFFEDCBA9876543210", "00112233"};

TEST(ConverterOutput, JoinsFieldsWithSeparators)
{
    EXPECT_EQ(converterOutput(kSlotCode), "4A12B0::0123456789ABCDEF:FEDCBA9876543210:::00112233");
    EXPECT_EQ(converterOutput({"010000", std::string(32, '0'), ""}),
              "010000::0000000000000000:0000000000000000:::");
}

TEST(ConverterOutput, ParsesWhatItWrites)
{
    const auto parsed = parseConverterOutput(converterOutput(kSlotCode));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->identifier, kSlotCode.identifier);
    EXPECT_EQ(parsed->parameters, kSlotCode.parameters);
    EXPECT_EQ(parsed->data, kSlotCode.data);
}

TEST(ConverterOutput, RejectsMalformedText)
{
    for (const char* text :
         {"", "4A12B0", "4A12B0::0123456789ABCDEF:FEDCBA9876543210",
          "4A12B::0123456789ABCDEF:FEDCBA9876543210:::", "4A12B0::0123:4567:::",
          "4A12B0::0123456789ABCDEG:FEDCBA9876543210:::", "4A12B0::0123456789ABCDEF:FEDCBA9876543210:::123"})
        EXPECT_FALSE(parseConverterOutput(text)) << text;
}

TEST(KnownIdentifiers, AreDirectlyPlacedAndDistinct)
{
    const auto identifiers = knownIdentifiers();
    EXPECT_GE(identifiers.size(), 16u);
    std::set<std::string> distinct(identifiers.begin(), identifiers.end());
    EXPECT_EQ(distinct.size(), identifiers.size());
    for (const std::string& id : identifiers) {
        ASSERT_EQ(id.size(), 6u);
        EXPECT_LT(std::stoul(id.substr(0, 2), nullptr, 16), 0x22u) << id;
        EXPECT_EQ(id.substr(2), "0000") << id;
    }
}

TEST(ProtocolCode, DescribesAddressAndCommandLowByteFirst)
{
    const auto code = protocolCode("NECext", 0xFF01, 0xED12);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->data, "");
    const auto info = describe(code->identifier, code->parameters);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->protocol, "NECext");
    EXPECT_EQ(info->address, "01 FF 00 00");
    EXPECT_EQ(info->command, "12 ED 00 00");

    const auto kaseikyo = protocolCode("Kaseikyo", 0x325443, 0x2D5);
    ASSERT_TRUE(kaseikyo);
    EXPECT_EQ(describe(kaseikyo->identifier, kaseikyo->parameters)->address, "43 54 32 00");
}

TEST(ProtocolCode, RefusesValuesOutsideTheProtocol)
{
    EXPECT_FALSE(protocolCode("RC5", 0x12, 0x84));
    EXPECT_FALSE(protocolCode("NEC", 0x100, 1));
    EXPECT_FALSE(protocolCode("SIRC", 0x20, 1));
    EXPECT_FALSE(protocolCode("NoSuchProtocol", 1, 1));
    // Complemented bytes are the plain form's signal: the extended form does not take them.
    EXPECT_FALSE(protocolCode("NECext", 0xFB04, 0xF708));
}

TEST(Describe, PulseCodesAreGenericWithoutAddressAndCommand)
{
    const auto generic = describe(kSlotCode.identifier, kSlotCode.parameters);
    ASSERT_TRUE(generic);
    EXPECT_EQ(generic->protocol, kGenericProtocol);
    EXPECT_EQ(generic->address, "");
    EXPECT_EQ(generic->command, "");
    EXPECT_FALSE(describe("8A12B0", kSlotCode.parameters)); // raw form
    EXPECT_FALSE(describe("010000", "00"));
}

TEST(Play, RefusesMalformedStoredCodes)
{
    EXPECT_FALSE(play("010000", std::string(32, '0'), "")); // NEC with zero frames
    EXPECT_FALSE(play("200000", std::string(32, '0'), "")); // no such protocol
    EXPECT_FALSE(play("4A12B0", kSlotCode.parameters, "ZZ"));
    EXPECT_FALSE(play("4A12B0", kSlotCode.parameters, kSlotCode.data));
    EXPECT_FALSE(play("8A12B0", std::string(31, '0'), "00"));
    // NECext, three frames, the last cut after 41 of its 67 marks and spaces; then the same cut as
    // the only frame, and a cut that would keep 125 of the 67.
    EXPECT_TRUE(play("020000", "1B4E005433CC030326000002000D0D03", ""));
    EXPECT_FALSE(play("020000", "1B4E005433CC010126000002000D0D03", ""));
    EXPECT_FALSE(play("020000", "1B4E00FC33CC030326000002000D0D03", ""));
}

TEST(Pronto, WritesCarrierPairsAndLeadOut)
{
    EXPECT_EQ(toPronto({{560, 560, 560}, 38000}), "0000 006D 0002 0000 0015 0015 0015 02F8");
    EXPECT_EQ(toPronto({{889, 889}, 36000}), "0000 0073 0001 0000 0020 0020");
    EXPECT_EQ(toPronto({{}, 38000}), "");
}

} // namespace
} // namespace qmv
