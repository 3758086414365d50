// The link library and the converter reached through a real bridge process give what they give
// when loaded directly.
#include "BridgeConnection.h"
#include "CodeConverter.h"
#include "ConverterLibrary.h"
#include "RemoteFixture.h"

#include <gtest/gtest.h>

using namespace qmv;

namespace {

class BridgedLink : public test::RemoteFixture
{
protected:
    void SetUp() override
    {
        RemoteFixture::SetUp();
        test::setEnvironment("QMV718_LINK_BRIDGE", "always");
        std::string error;
        m_library = LinkLibrary::load(test::binFolder(), &error);
        ASSERT_TRUE(m_library) << error;
        ASSERT_TRUE(m_library->bridged());
        m_bridged = std::make_unique<RemoteLink>(m_library->functions());
    }
    void TearDown() override { test::unsetEnvironment("QMV718_LINK_BRIDGE"); }

    RemoteLink& bridged() { return *m_bridged; }
    void dropBridge()
    {
        m_bridged.reset();
        m_library.reset();
    }

private:
    std::unique_ptr<LinkLibrary> m_library;
    std::unique_ptr<RemoteLink> m_bridged;
};

} // namespace

TEST_F(BridgedLink, EveryOperationGivesTheDirectResult)
{
    EXPECT_TRUE(bridged().linkState());
    EXPECT_EQ(bridged().readVersion(), link().readVersion());
    EXPECT_EQ(bridged().basicInfo(), link().basicInfo());
    // The buffer sizes the tool uses, the tightest one included (12 units in 192 bytes).
    EXPECT_EQ(bridged().readData(0xB000, 6, 1024), link().readData(0xB000, 6, 1024));
    EXPECT_EQ(bridged().readData(0x1000, 12, 192), link().readData(0x1000, 12, 192));
    EXPECT_EQ(bridged().readData(0x1000, 120, 2048), link().readData(0x1000, 120, 2048));

    ASSERT_TRUE(bridged().writeData("A5", 0x7000, "0102A0FF"));
    EXPECT_EQ(link().readData(0x7000, 1, 16).substr(0, 8), "0102A0FF");
    ASSERT_TRUE(link().writeData("A5", 0x7000, "55"));
    EXPECT_EQ(bridged().readData(0x7000, 1, 16).substr(0, 4), "5502");

    auto capture = [&](const RemoteLink& way) {
        folder().deliverToInbox("carrier 38000\n1000 500 600\n");
        EXPECT_TRUE(way.setCodeCarrierWave());
        std::string captured;
        for (int poll = 0; poll < 100 && captured.empty(); ++poll)
            captured = way.collectCodeInfo();
        return captured;
    };
    const std::string throughBridge = capture(bridged());
    ASSERT_EQ(throughBridge.size(), std::size_t{TAVRIO_CAPTURE_BUFFER});
    EXPECT_EQ(throughBridge, capture(link()));
    EXPECT_EQ(folder().inboxCount(), 0u);
}

TEST_F(BridgedLink, RefusalsAreTheDirectOnes)
{
    folder().setFaultCount("fail-writes", 1);
    EXPECT_FALSE(bridged().writeData("A5", 0x7000, "11"));
    EXPECT_TRUE(bridged().writeData("A5", 0x7000, "11"));
    EXPECT_FALSE(bridged().writeData("00", 0x7000, "11")) << "a foreign device tag";
    EXPECT_EQ(bridged().readData(0x1000, 2, 16), "") << "a buffer too small never leaves the wrapper";

    folder().setPlugged(false);
    EXPECT_FALSE(bridged().linkState());
    EXPECT_EQ(bridged().readVersion(), "");
    folder().setPlugged(true);
    EXPECT_TRUE(bridged().linkState());
}

TEST_F(BridgedLink, SeveralThreadsShareTheBridge)
{
    const std::string info = link().basicInfo();
    std::vector<std::thread> threads;
    std::atomic<int> mismatches{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 25; ++i)
                if (!bridged().linkState() || bridged().basicInfo() != info)
                    ++mismatches;
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches.load(), 0);
}

TEST_F(BridgedLink, ReleasedBridgeLooksLikeAnUnpluggedRemote)
{
    const LinkFunctions orphaned = [&] {
        std::string error;
        auto library = LinkLibrary::load(test::binFolder(), &error);
        return library ? library->functions() : LinkFunctions{};
    }();
    ASSERT_TRUE(orphaned.linkState);
    dropBridge();
    RemoteLink afterwards(orphaned);
    EXPECT_FALSE(afterwards.linkState());
    EXPECT_EQ(afterwards.basicInfo(), "");
    EXPECT_FALSE(afterwards.writeData("A5", 0x7000, "11"));
}

TEST_F(BridgedLink, FailuresToLoadAreNamed)
{
    test::ScratchFolder empty;
    std::string error;
    EXPECT_EQ(LinkLibrary::load(empty.path().string() + "/", &error), nullptr);
    EXPECT_NE(error.find("tavrio.dll"), std::string::npos) << "the bridge's own loader message: " << error;

    const std::string missingProgram = (empty.path() / bridge::BridgeProcess::programName).string();
    error.clear();
    EXPECT_EQ(
        bridge::BridgeConnection::open(missingProgram, bridge::Library::Link, test::binFolder(), &error),
        nullptr);
    EXPECT_NE(error.find(missingProgram), std::string::npos) << error;
}

TEST_F(BridgedLink, ConverterGivesTheDirectResult)
{
    std::string error;
    const auto direct = ConverterLibrary::loadDirect(test::binFolder(), &error);
    ASSERT_TRUE(direct) << error;
    const auto throughBridge = ConverterLibrary::load(test::binFolder(), &error);
    ASSERT_TRUE(throughBridge) << error;
    ASSERT_TRUE(throughBridge->bridged());

    // An encoded NEC frame, as the learning workflow hands it over.
    const std::string body =
        "232811940230069A02300230023002300230023002300230023002300230023002300230023002300230069A0230069A"
        "0230069A0230069A0230069A0230069A0230069A023002300230069A0230023002300230023002300230023002300230"
        "023002300230069A023002300230069A0230069A0230069A0230069A0230069A0230069A0230FEFE0014EDED";
    const std::string expected = direct->convertCode()(body.c_str(), CodeConverter::convertMode);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(std::string(throughBridge->convertCode()(body.c_str(), CodeConverter::convertMode)), expected);
    EXPECT_EQ(std::string(throughBridge->convertCode()(body.c_str(), 1)), "") << "only mode 2 converts";
    EXPECT_EQ(std::string(throughBridge->convertCode()(nullptr, CodeConverter::convertMode)), "");
}
