#include "CodeForm.h"
#include "LearnChain.h"
#include "SampleFile.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qmv {
namespace {

std::vector<bench::SampleLine> sample()
{
    const char* folder = std::getenv("QMV718_TEST_DATA");
    const std::string path = std::string(folder ? folder : "tests/data") + "/converter/irdb-tests.tsv";
    const auto lines = bench::readSample(path);
    EXPECT_TRUE(lines) << path;
    return lines.value_or(std::vector<bench::SampleLine>{});
}

// Every real capture that fits the receiver comes back from the remote within tolerance.
TEST(SampleRoundTrip, RawCapturesPlayBackFaithfully)
{
    std::size_t checked = 0;
    for (const auto& line : sample()) {
        if (!line.raw)
            continue;
        bool fits = false;
        const auto learned = bench::learn(line.durations, line.carrierHz, &fits);
        if (!fits)
            continue;
        ++checked;
        ASSERT_TRUE(learned) << line.file << " " << line.name;
        const auto played = bench::playStored(learned->code);
        ASSERT_TRUE(played) << learned->converted;
        EXPECT_TRUE(bench::playsBackFaithfully(line.durations, *played)) << line.file << " " << line.name;
        EXPECT_LE(learned->code.data.size() / 2, kMaxDataBytes);
    }
    EXPECT_GT(checked, 100u);
}

// Every parsed code the sample holds, played with standard timing, is recognised again.
TEST(SampleRoundTrip, ParsedCodesAreRecognised)
{
    std::size_t checked = 0;
    for (const auto& line : sample()) {
        if (line.raw)
            continue;
        // The sample's Kaseikyo spelling of Denon-K codes is sent as written and read as Denon-K.
        std::uint32_t address = line.address;
        std::uint32_t command = line.command;
        const std::string protocol = bench::canonicalProtocol(line.protocol, address, command);
        const auto code = protocolCode(line.protocol, line.address, line.command);
        if (!code) // the sample's NECext spelling of NEC codes, and values outside the protocol
            continue;
        ++checked;
        const auto sent = bench::playStored(*code);
        ASSERT_TRUE(sent);
        const auto learned = bench::learn(sent->durations, sent->carrierHz);
        ASSERT_TRUE(learned) << line.protocol;
        const auto info = describe(learned->code.identifier, learned->code.parameters);
        ASSERT_TRUE(info) << line.protocol << " " << learned->converted;
        EXPECT_EQ(info->protocol, protocol);
        EXPECT_EQ(bench::lowFirstBytes(info->address), address);
        EXPECT_EQ(bench::lowFirstBytes(info->command), command);
    }
    EXPECT_GT(checked, 50u);
}

} // namespace
} // namespace qmv
