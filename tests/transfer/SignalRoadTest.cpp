// Signals from files take the captured codes' road: the capture the receiver would have made of
// them, then the converter the program has installed. What a file's signal and the same signal
// captured store, which converter a file's signal meets, and what no receiver could capture.
#include "CaptureSignal.h"
#include "DeviceImport.h"
#include "InProcessConversion.h"
#include "LearnChain.h"
#include "SignalRender.h"

#include <gtest/gtest.h>

using namespace qmv;
using namespace qmv::transfer;

namespace {

IrSignal timingList(std::vector<std::uint32_t> durations)
{
    IrSignal signal;
    signal.name = "Power";
    signal.line = 3;
    signal.durations = std::move(durations);
    signal.carrierHz = 38000;
    return signal;
}

IrSignal protocolSignal()
{
    IrSignal signal;
    signal.name = "Power";
    signal.protocol = ProtocolSignal{"NEC", 0x04, 0x08};
    return signal;
}

std::vector<std::uint32_t> necFrame()
{
    std::vector<std::uint32_t> durations{9000, 4500};
    for (int bit = 0; bit < 32; ++bit)
        durations.insert(durations.end(), {560, bit % 3 == 0 ? 1690u : 560u});
    durations.push_back(560);
    return durations;
}

// A converter other than the project's: it takes note of the captures it is given.
struct OtherConverter
{
    static constexpr const char* output = "800001::0011223344556677:8899AABBCCDDEEFF:::0102";
    std::vector<std::string> captures;
    CaptureConversion conversion()
    {
        return [this](const std::string& capture) {
            captures.push_back(capture);
            return std::string(output);
        };
    }
};

} // namespace

TEST(SignalRoad, AFileSignalIsStoredExactlyAsTheSameSignalCaptured)
{
    auto twoFrames = necFrame();
    twoFrames.push_back(40000);
    twoFrames.insert(twoFrames.end(), {9000, 2250, 560});
    const std::vector<std::vector<std::uint32_t>> cases{
        necFrame(),
        twoFrames,
        {15000, 30000, 500, 500, 500, 1500, 500, 90000}, // a mark of two groups, a space of three
        {3400, 1700, 430, 430, 430, 1290, 430, 430, 430, 1290, 430},
    };
    for (const auto& durations : cases) {
        const auto captured = bench::learn(durations, 38000);
        ASSERT_TRUE(captured);
        const auto rendered = renderSignal(timingList(durations), test::convertInProcess);
        ASSERT_TRUE(std::holds_alternative<StoredCode>(rendered)) << std::get<std::string>(rendered);
        EXPECT_EQ(converterOutput(std::get<StoredCode>(rendered)), captured->converted);
    }
    // A protocol signal is stored as its protocol's durations captured.
    const auto played = bench::playStored(*protocolCode("NEC", 0x04, 0x08));
    ASSERT_TRUE(played);
    const auto captured = bench::learn(played->durations, played->carrierHz);
    ASSERT_TRUE(captured);
    const auto rendered = renderSignal(protocolSignal(), test::convertInProcess);
    ASSERT_TRUE(std::holds_alternative<StoredCode>(rendered));
    EXPECT_EQ(converterOutput(std::get<StoredCode>(rendered)), captured->converted);
}

TEST(SignalRoad, FileSignalsMeetTheInstalledConverterAndStoredCodesNone)
{
    OtherConverter other;
    const IrSignal timings = timingList(necFrame());
    EXPECT_EQ(std::get<StoredCode>(renderSignal(timings, other.conversion())).identifier, "800001");
    ASSERT_EQ(other.captures.size(), 1u);
    EXPECT_EQ(other.captures[0], remote::captureText({timings.durations, timings.carrierHz}));
    EXPECT_EQ(std::get<StoredCode>(renderSignal(protocolSignal(), other.conversion())).identifier, "800001");
    const auto played = bench::playStored(*protocolCode("NEC", 0x04, 0x08));
    ASSERT_EQ(other.captures.size(), 2u);
    EXPECT_EQ(other.captures[1], remote::captureText({played->durations, played->carrierHz}));

    const SignalFile file{{timings}, {}, false};
    const auto learned = prepareLearn(file, 0, "10", std::nullopt, other.conversion());
    ASSERT_TRUE(std::holds_alternative<StoreItem>(learned));
    EXPECT_EQ(converterOutput(std::get<StoreItem>(learned).code), OtherConverter::output);
    const PreparedImport imported = prepareImport(file, 0, other.conversion());
    ASSERT_EQ(imported.items.size(), 1u);
    EXPECT_EQ(converterOutput(imported.items[0].code), OtherConverter::output);
    EXPECT_EQ(other.captures.size(), 4u);

    IrSignal stored = timings;
    stored.stored = protocolCode("NEC", 1, 2);
    EXPECT_EQ(converterOutput(std::get<StoredCode>(renderSignal(stored, other.conversion()))),
              converterOutput(*stored.stored));
    EXPECT_EQ(other.captures.size(), 4u) << "a stored code is not converted again";

    const auto refused = renderSignal(timings, [](const std::string&) { return std::string(); });
    ASSERT_TRUE(std::holds_alternative<std::string>(refused));
    EXPECT_NE(std::get<std::string>(refused).find("无法转换"), std::string::npos);
}

TEST(SignalRoad, WhatNoReceiverCouldCaptureIsRefusedWithItsReason)
{
    std::vector<std::uint32_t> tooMany;
    for (int i = 0; i < 1024; ++i)
        tooMany.insert(tooMany.end(), {560, 12000}); // three groups a pair: the 847th mark overflows
    struct Case
    {
        std::vector<std::uint32_t> durations;
        std::vector<std::string> named;
    };
    const std::vector<Case> cases{
        {{30000, 4500, 560}, {"30000", std::to_string(capture::longestMarkMicros)}},
        {{9000, 40, 560}, {"40", std::to_string(capture::shortestSpaceMicros)}},
        {tooMany, {"信号太长", "1693"}},
    };
    for (const Case& c : cases) {
        OtherConverter other;
        const auto refused = renderSignal(timingList(c.durations), other.conversion());
        ASSERT_TRUE(std::holds_alternative<std::string>(refused));
        for (const std::string& part : c.named)
            EXPECT_NE(std::get<std::string>(refused).find(part), std::string::npos)
                << std::get<std::string>(refused);
        EXPECT_TRUE(other.captures.empty());
    }
}
