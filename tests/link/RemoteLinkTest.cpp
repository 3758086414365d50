#include "RemoteLink.h"
#include "RemoteFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

using namespace qmv;

namespace {

// A scripted library: answers with fixed bytes, including zero bytes inside the text, and
// records the arguments it was given.
struct Script
{
    bool succeed = true;
    std::string lastHigh, lastLow, lastSelector, lastTag, lastData;
    int lastCount = 0;
} script;

tavrio_bool TAVRIO_CALL fakeState()
{
    return script.succeed;
}
tavrio_bool TAVRIO_CALL fakeVersion(char* buffer)
{
    std::memcpy(buffer, "1020\0X", 6);
    return script.succeed;
}
tavrio_bool TAVRIO_CALL fakeRead(char* buffer, int count, const char* high, const char* low,
                                 const char* selector)
{
    script.lastCount = count;
    script.lastHigh = high;
    script.lastLow = low;
    script.lastSelector = selector;
    std::memset(buffer, 'A', static_cast<std::size_t>(count) * 16);
    return script.succeed;
}
tavrio_bool TAVRIO_CALL fakeWrite(const char* tag, const char* high, const char* low, const char* data)
{
    script.lastTag = tag;
    script.lastHigh = high;
    script.lastLow = low;
    script.lastData = data;
    return script.succeed;
}

LinkFunctions fakeFunctions()
{
    LinkFunctions f;
    f.linkState = fakeState;
    f.readVersion = fakeVersion;
    f.basicInfo = fakeVersion;
    f.readData = fakeRead;
    f.writeData = fakeWrite;
    f.setCodeCarrierWave = fakeState;
    f.collectCodeInfo = fakeVersion;
    return f;
}

class RemoteLinkText : public ::testing::Test
{
protected:
    void SetUp() override { script = Script{}; }
    RemoteLink link{fakeFunctions()};
};

} // namespace

TEST_F(RemoteLinkText, SuccessTurnsTheWholeBufferIntoTextZeroBytesIncluded)
{
    const std::string version = link.readVersion();
    ASSERT_EQ(version.size(), 250u);
    EXPECT_EQ(version.substr(0, 6), std::string("1020\0X", 6));
    EXPECT_EQ(version[249], '\0');
    EXPECT_EQ(link.basicInfo().size(), 1024u);
    EXPECT_EQ(link.collectCodeInfo().size(), 10240u);
}

TEST_F(RemoteLinkText, FailureGivesEmptyText)
{
    script.succeed = false;
    EXPECT_TRUE(link.readVersion().empty());
    EXPECT_TRUE(link.readData(0xB000, 6, 1024).empty());
    EXPECT_TRUE(link.collectCodeInfo().empty());
    EXPECT_FALSE(link.linkState());
}

TEST_F(RemoteLinkText, AddressesAreUpperCaseHexPairsHighFirst)
{
    const std::string text = link.readData(0xB03C, 2, 512);
    EXPECT_EQ(text.size(), 512u);
    EXPECT_EQ(script.lastHigh, "B0");
    EXPECT_EQ(script.lastLow, "3C");
    EXPECT_EQ(script.lastSelector, "08");
    EXPECT_EQ(script.lastCount, 2);

    EXPECT_TRUE(link.writeData("A5", 0x0a0f, "00"));
    EXPECT_EQ(script.lastHigh, "0A");
    EXPECT_EQ(script.lastLow, "0F");
    EXPECT_EQ(script.lastTag, "A5");
    EXPECT_EQ(script.lastData, "00");

    EXPECT_EQ(splitAddress(0x0000).high, "00");
    EXPECT_EQ(splitAddress(0xFFFF).low, "FF");
}

TEST_F(RemoteLinkText, NeverHandsTheLibraryABufferTooSmallForTheUnits)
{
    script.lastCount = -1;
    EXPECT_EQ(link.readData(0x1000, 64, 1024).size(), 1024u); // 64 units fill the buffer exactly
    EXPECT_EQ(script.lastCount, 64);
    script.lastCount = -1;
    EXPECT_TRUE(link.readData(0x1000, 65, 1024).empty());
    EXPECT_EQ(script.lastCount, -1) << "the library must not have been called";
    EXPECT_TRUE(link.readData(0x1000, 0, 1024).empty());
    EXPECT_EQ(script.lastCount, -1);
}

TEST_F(RemoteLinkText, CountsEveryCall)
{
    link.linkState();
    link.readVersion();
    link.readData(0, 1, 16);
    EXPECT_EQ(link.callCount(), 3u);
}

using RemoteLinkThreads = test::RemoteFixture;

TEST_F(RemoteLinkThreads, ThreeThreadsAtOnceEachGetWholeAnswers)
{
    const std::string expectedInfo = link().basicInfo();
    const std::string expectedRead = link().readData(0xB000, 6, 1024);
    ASSERT_FALSE(expectedInfo.empty());
    std::atomic<int> mismatches{0};
    auto watcher = [&] {
        for (int i = 0; i < 200; ++i)
            if (!link().linkState() || link().basicInfo() != expectedInfo)
                ++mismatches;
    };
    auto reader = [&] {
        for (int i = 0; i < 200; ++i)
            if (link().readData(0xB000, 6, 1024) != expectedRead)
                ++mismatches;
    };
    auto writer = [&] {
        for (int i = 0; i < 50; ++i)
            if (!link().writeData("A5", 0x7000, i % 2 ? "0102" : "0304"))
                ++mismatches;
    };
    std::thread a(watcher), b(reader), c(writer);
    a.join();
    b.join();
    c.join();
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(link().readData(0x7000, 1, 16).substr(0, 4), "0102");
}
