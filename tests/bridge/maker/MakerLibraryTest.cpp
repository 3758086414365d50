// Libraries built the way the maker's are (__stdcall, plain export names), loaded by name from the
// program's folder and every operation called, both into this process and through the bridge.
#include "ConverterLibrary.h"
#include "LinkLibrary.h"
#include "RemoteLink.h"
#include "TestPlatform.h"

#include <gtest/gtest.h>

using namespace qmv;

namespace {

enum class Way { Direct, Bridged };

class MakerLibrary : public ::testing::TestWithParam<Way>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Way::Bridged)
            test::setEnvironment("QMV718_LINK_BRIDGE", "always");
        std::string error;
        m_library = LinkLibrary::load(programFolder(), &error);
        ASSERT_TRUE(m_library) << error;
        ASSERT_EQ(m_library->bridged(), GetParam() == Way::Bridged);
        m_link = std::make_unique<RemoteLink>(m_library->functions());
    }
    void TearDown() override { test::unsetEnvironment("QMV718_LINK_BRIDGE"); }
    const RemoteLink& link() const { return *m_link; }

private:
    std::unique_ptr<LinkLibrary> m_library;
    std::unique_ptr<RemoteLink> m_link;
};

std::string zeroPadded(const std::string& text, std::size_t size)
{
    return text + std::string(size - text.size(), '\0');
}

} // namespace

TEST_P(MakerLibrary, EveryOperationIsCalledWithItsArguments)
{
    EXPECT_TRUE(link().linkState());
    EXPECT_EQ(link().readVersion(), zeroPadded("1020MAKER", TAVRIO_VERSION_BUFFER));
    EXPECT_EQ(link().basicInfo(), zeroPadded("MAKER-STYLE-REMOTE-0123456789A", TAVRIO_BASICINFO_BUFFER));
    // Two units from 12FE: the address's bytes crossed in the right order, the count in full.
    EXPECT_EQ(link().readData(0x12FE, 2, 40), zeroPadded("FEFF000102030405060708090A0B0C0D", 40));

    EXPECT_EQ(link().collectCodeInfo(), "") << "nothing before capture mode";
    ASSERT_TRUE(link().writeData("A5", 0x7010, "0102ABCD"));
    ASSERT_TRUE(link().setCodeCarrierWave());
    EXPECT_EQ(link().collectCodeInfo(), zeroPadded("A5|70|10|0102ABCD", TAVRIO_CAPTURE_BUFFER));
}

TEST_P(MakerLibrary, ConverterIsCalledWithItsArguments)
{
    if (GetParam() == Way::Bridged)
        test::setEnvironment("QMV718_LINK_BRIDGE", "always");
    std::string error;
    const auto converter = ConverterLibrary::load(programFolder(), &error);
    ASSERT_TRUE(converter) << error;
    EXPECT_EQ(converter->bridged(), GetParam() == Way::Bridged);
    EXPECT_EQ(std::string(converter->convertCode()("0230069AFEFE", 2)), "2:0230069AFEFE");
    EXPECT_EQ(std::string(converter->convertCode()(nullptr, 5)), "5:(null)");
}

INSTANTIATE_TEST_SUITE_P(Ways, MakerLibrary, ::testing::Values(Way::Direct, Way::Bridged),
                         [](const auto& testParam) {
                             return testParam.param == Way::Direct ? "Direct" : "Bridged";
                         });

TEST(MakerLibraryBridge, EndOfTheBridgeIsAnUnpluggedLink)
{
    test::setEnvironment("QMV718_LINK_BRIDGE", "always");
    std::string error;
    const auto library = LinkLibrary::load(programFolder(), &error);
    test::unsetEnvironment("QMV718_LINK_BRIDGE");
    ASSERT_TRUE(library) << error;
    const RemoteLink link(library->functions());
    ASSERT_TRUE(link.linkState());

    // The library ends its process in the middle of a call, as a crashing library would.
    EXPECT_FALSE(link.writeData("QUIT", 0x7000, "00"));
    EXPECT_FALSE(link.linkState());
    EXPECT_EQ(link.readVersion(), "");
    EXPECT_EQ(link.readData(0x1000, 1, 16), "");
    EXPECT_FALSE(link.setCodeCarrierWave());
    EXPECT_FALSE(link.linkState()) << "it stays unplugged";
}
