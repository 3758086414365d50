// Real captures of the less common protocols, each followed in the data file by the protocol,
// address and command it must be stored as.

#include "CodeForm.h"
#include "LearnChain.h"
#include "SampleFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace qmv {
namespace {

struct NamedCapture
{
    bench::SampleLine capture;
    bench::SampleLine expected;
};

std::vector<NamedCapture> namedCaptures()
{
    const char* folder = std::getenv("QMV718_TEST_DATA");
    const std::string path = std::string(folder ? folder : "tests/data") + "/converter/named-captures.tsv";
    const auto lines = bench::readSample(path);
    EXPECT_TRUE(lines) << path;
    std::vector<NamedCapture> pairs;
    if (!lines)
        return pairs;
    for (std::size_t i = 0; i + 1 < lines->size(); i += 2) {
        const auto& capture = (*lines)[i];
        const auto& expected = (*lines)[i + 1];
        EXPECT_TRUE(capture.raw && !expected.raw && capture.name == expected.name) << "line " << i + 1;
        pairs.push_back({capture, expected});
    }
    return pairs;
}

// Each capture is stored as its protocol with the right address and command, and what the remote
// plays from the stored code is the capture.
TEST(NamedCaptures, AreStoredAsTheirProtocolAndPlayBackFaithfully)
{
    std::set<std::string> protocols;
    for (const auto& [capture, expected] : namedCaptures()) {
        SCOPED_TRACE(capture.file + " " + capture.name);
        const auto learned = bench::learn(capture.durations, capture.carrierHz);
        ASSERT_TRUE(learned);
        const auto info = describe(learned->code.identifier, learned->code.parameters);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->protocol, expected.protocol);
        EXPECT_EQ(bench::lowFirstBytes(info->address), expected.address);
        EXPECT_EQ(bench::lowFirstBytes(info->command), expected.command);
        const auto played = bench::playStored(learned->code);
        ASSERT_TRUE(played);
        EXPECT_TRUE(bench::playsBackFaithfully(capture.durations, *played));
        protocols.insert(expected.protocol);
    }
    EXPECT_GE(protocols.size(), 6u);
}

} // namespace
} // namespace qmv
