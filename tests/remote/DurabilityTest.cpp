// Killing the remote's process in the middle of a write must leave the old or the new image,
// never a torn one.
#include "RemoteFixture.h"
#include "StateFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>

using namespace qmv;

namespace {

// Each write covers a whole 4 KiB region with one byte value; a torn image would show two.
constexpr std::uint16_t region = 0x7000;
constexpr int regionBytes = 4096;

[[noreturn]] void writeForever(RemoteLink& link)
{
    for (unsigned round = 0;; ++round) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", round & 0xFF);
        std::string data;
        for (int i = 0; i < regionBytes; ++i)
            data += pair;
        link.writeData("A5", region, data);
    }
}

} // namespace

using Durability = test::RemoteFixture;

TEST_F(Durability, KilledWriterLeavesAWholeImage)
{
    ASSERT_FALSE(link().basicInfo().empty()); // creates the image
    std::mt19937 random(7);
    for (int attempt = 0; attempt < 12; ++attempt) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writeForever(link());
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + random() % 40));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const auto image = remote::readWholeFile(folder().imagePath());
        ASSERT_TRUE(image);
        ASSERT_EQ(image->size(), 65536u);
        const char first = (*image)[region];
        for (int i = 1; i < regionBytes; ++i)
            ASSERT_EQ((*image)[region + i], first) << "torn write at attempt " << attempt;
        EXPECT_EQ(link().readVersion().substr(0, 4), "1020");
    }
}
