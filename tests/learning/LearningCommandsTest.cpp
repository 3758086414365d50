#include "LearningCommands.h"
#include "LoadedImage.h"
#include "MemoryImage.h"
#include "RemoteFixture.h"
#include "RemoteLoader.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <vector>

namespace qmv {
namespace {

// The command line's delete and clear, run in-process against the virtual remote.
class LearningCommandsTest : public test::RemoteFixture
{
protected:
    ImageSnapshot reload() { return test::loadSnapshot(link()); }

    void learned(const std::string& code, int area)
    {
        MemoryImage image(link(), reload());
        ASSERT_EQ(image.StoreLearnedKey(code, "210000::0123456789ABCDEF:FEDCBA9876543210:::", area),
                  StoreResult::Stored);
    }

    char stateOf(const std::string& code, int area)
    {
        const MemoryImage image(link(), reload());
        return image.keyState(image.entryIndex(area, *image.rowOf(code)));
    }

    int run(std::vector<std::string> arguments)
    {
        CLI::App app;
        int exitCode = 0;
        cli::LearningCommands commands(app, exitCode);
        std::vector<const char*> argv{"qmv718-cli"};
        for (const std::string& argument : arguments)
            argv.push_back(argument.c_str());
        app.parse(static_cast<int>(argv.size()), argv.data());
        return exitCode;
    }
};

TEST_F(LearningCommandsTest, DeletesALearnedKeyNamedByLabelInOneArea)
{
    learned("26", 2);
    learned("26", 0);
    EXPECT_EQ(run({"delete", "--area", "DVD", "--key", "CH+"}), 0);
    EXPECT_EQ(stateOf("26", 2), '0');
    EXPECT_EQ(stateOf("26", 0), '2');
    EXPECT_TRUE(checkInvariants(reload()).empty());
}

TEST_F(LearningCommandsTest, RefusesKeysWithoutALearnedCodeAndUnknownNames)
{
    EXPECT_EQ(run({"delete", "--area", "TV", "--key", "POWER"}), 1) << "a code from elsewhere";
    EXPECT_EQ(stateOf("10", 0), '1');
    EXPECT_EQ(run({"delete", "--area", "TV", "--key", "12"}), 1) << "no code";
    EXPECT_EQ(run({"delete", "--area", "TV", "--key", "POWER/TV"}), 2) << "a power key selects an area";
    EXPECT_EQ(run({"delete", "--area", "VCR", "--key", "12"}), 2);
}

TEST_F(LearningCommandsTest, ADeleteWhoseWriteFailsReportsFailure)
{
    learned("12", 0);
    folder().setFaultCount("fail-writes", 1);
    EXPECT_EQ(run({"delete", "--area", "0", "--key", "12"}), 1);
    EXPECT_EQ(stateOf("12", 0), '2');
}

TEST_F(LearningCommandsTest, ClearsAnAreaOnlyWhenConfirmed)
{
    learned("12", 1);
    learned("13", 1);
    learned("12", 3);
    EXPECT_EQ(run({"clear", "--area", "CBL"}), 1);
    EXPECT_EQ(stateOf("12", 1), '2');

    EXPECT_EQ(run({"clear", "--area", "cbl", "--yes"}), 0);
    EXPECT_EQ(stateOf("12", 1), '0');
    EXPECT_EQ(stateOf("13", 1), '0');
    EXPECT_EQ(stateOf("12", 3), '2');
    EXPECT_EQ(stateOf("10", 1), '1') << "codes from elsewhere are never cleared";
}

TEST_F(LearningCommandsTest, AClearWithAFailedWriteReportsFailure)
{
    learned("12", 0);
    learned("13", 0);
    folder().setFaultCount("fail-writes", 1);
    EXPECT_EQ(run({"clear", "--area", "TV", "--yes"}), 1);
    EXPECT_EQ(stateOf("12", 0), '2');
    EXPECT_EQ(stateOf("13", 0), '0');
}

} // namespace
} // namespace qmv
