// Timings and capture files from outside: only regular files of bounded size are read, and what
// a message quotes of them is short and printable.
#include "CliFixture.h"

#include <sys/stat.h>

using namespace qmv;
using test::Cli;
using test::CliRun;

namespace {

class BadInput : public Cli
{
protected:
    void expectRefusedQuickly(const std::string& file, const std::string& reason)
    {
        for (const std::string& command :
             {"learn --area TV --key 1 --timings " + file, "learn --area TV --key 1 --capture " + file,
              "remote send " + file}) {
            const CliRun r = run(command);
            EXPECT_NE(r.status, 0) << command;
            EXPECT_NE(r.err.find(reason), std::string::npos) << command << ": " << r.err;
        }
        EXPECT_EQ(folder().inboxCount(), 0u);
    }
};

} // namespace

TEST_F(BadInput, DevicesPipesAndFoldersAreNotRead)
{
    // /dev/zero would never end and a pipe without a writer would block forever.
    expectRefusedQuickly("/dev/zero", "不是普通文件");
    const std::string fifo = (statePath() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    expectRefusedQuickly(fifo, "不是普通文件");
}

TEST_F(BadInput, FilesAboveOneMebibyteAreRefusedUnread)
{
    const std::string big = (statePath() / "big.txt").string();
    std::string text = "carrier 38000\n";
    while (text.size() <= 1024 * 1024)
        text += "560 560 ";
    std::ofstream(big) << text;
    expectRefusedQuickly(big, "大于 1048576 字节");
}

TEST_F(BadInput, MessagesQuoteOnlyAShortPrintableExcerpt)
{
    const std::string binary = (statePath() / "binary.txt").string();
    std::string value = "9000\x1b]0;owned\x07";
    value += std::string(5000, 'X');
    std::ofstream(binary) << "carrier 38000\n" << value << " 4500\n";
    const CliRun r = run("learn --area TV --key 1 --timings " + binary);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("9000?]0;owned?"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos);
    EXPECT_EQ(r.err.find('\x07'), std::string::npos);
    EXPECT_LT(r.err.size(), 300u) << "not the whole value";
}
