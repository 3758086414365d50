#include "LinkLibrary.h"
#include "RemoteFixture.h"

#include <gtest/gtest.h>

using namespace qmv;

TEST(LinkLibraryLoad, MissingFileIsNamedInTheMessage)
{
    test::ScratchFolder empty;
    std::string error;
    EXPECT_EQ(LinkLibrary::load(empty.path().string() + "/", &error), nullptr);
    EXPECT_NE(error.find("tavrio.dll"), std::string::npos) << error;
}

TEST(LinkLibraryLoad, MissingOperationIsNamedInTheMessage)
{
    std::string error;
    EXPECT_EQ(LinkLibrary::load(INCOMPLETE_LINK_DIR, &error), nullptr);
    EXPECT_NE(error.find("RCollectCodeInfo"), std::string::npos) << error;
}

TEST(LinkLibraryLoad, BuiltLibraryResolvesAllSevenOperations)
{
    std::string error;
    const auto library = LinkLibrary::load(test::binFolder(), &error);
    ASSERT_NE(library, nullptr) << error;
    const LinkFunctions& f = library->functions();
    EXPECT_TRUE(f.linkState && f.readVersion && f.basicInfo && f.readData && f.writeData &&
                f.setCodeCarrierWave && f.collectCodeInfo);
}
