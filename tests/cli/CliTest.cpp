// qmv718-cli as a user runs it: a separate process on the virtual remote's state folder.
#include "CliFixture.h"

#include <algorithm>

using namespace qmv;
using test::Cli;
using test::CliRun;
using test::numbers;
using test::timingsFile;

TEST_F(Cli, InfoDescribesTheFactoryRemote)
{
    const auto report = info();
    EXPECT_EQ(report["model"], "QMV-718");
    EXPECT_EQ(report["keycount"], 52);
    EXPECT_EQ(report["areacount"], 4);
    EXPECT_EQ(report["recordcount"], 208);
    EXPECT_EQ(report["keys"].size(), 208u);
    const auto& power = key(report, "TV", "10");
    EXPECT_EQ(power["label"], "POWER");
    EXPECT_EQ(power["state"], "1");
    EXPECT_EQ(power["protocol"], "NEC");
    EXPECT_EQ(power["address"], "04 00 00 00");
    EXPECT_EQ(power["command"], "08 00 00 00");
    EXPECT_EQ(key(report, "AMP", "71")["state"], "0");
    EXPECT_EQ(run("check").status, 0);
}

TEST_F(Cli, InfoFailsWithTheToolsOwnMessage)
{
    folder().setPlugged(false);
    const CliRun r = run("info");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("未检测到遥控器，请检查USB连接线"), std::string::npos) << r.err;
}

TEST_F(Cli, LearnedKeyPlaysBackWhatWasLearned)
{
    const CliRun learn = run("learn --area DVD --key VOL+ --timings " + data("samsung-tving.txt"));
    ASSERT_EQ(learn.status, 0) << learn.err;
    const auto report = info();
    const auto& vol = key(report, "DVD", "30");
    EXPECT_EQ(vol["state"], "2");
    EXPECT_EQ(vol["placement"], "slot");

    const CliRun play = run("play --area DVD --key 30");
    ASSERT_EQ(play.status, 0) << play.err;
    const auto learned = timingsFile(data("samsung-tving.txt"));
    auto played = numbers(play.out);
    ASSERT_GE(played.size() + 1, learned.size());
    for (std::size_t i = 0; i + 1 < learned.size(); ++i) {
        const long tolerance = std::max(50L, learned[i] * 8 / 100);
        EXPECT_NEAR(played[i], learned[i], learned[i] > 20000 ? 1000 : tolerance) << "duration " << i;
    }
    EXPECT_EQ(run("check").status, 0);
}

TEST_F(Cli, RecognisedProtocolIsShownByName)
{
    // A standard NEC frame for address 0x07, command 0x12.
    const std::string path = necFile(0x07, 0x12);
    ASSERT_EQ(run("learn --area TV --key CH+ --timings " + path).status, 0);
    const auto report = info();
    const auto& ch = key(report, "TV", "26");
    EXPECT_EQ(ch["placement"], "direct");
    EXPECT_EQ(ch["protocol"], "NEC");
    EXPECT_EQ(ch["address"], "07 00 00 00");
    EXPECT_EQ(ch["command"], "12 00 00 00");

    const CliRun pronto = run("play --area TV --key CH+ --format pronto");
    EXPECT_EQ(pronto.out.substr(0, 10), "0000 006D ");
}

TEST_F(Cli, BadTimingsAreNamedAndNothingIsStored)
{
    const CliRun r = run("learn --area TV --key 2 --timings " + data("bad-value.txt"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("3"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("-560"), std::string::npos) << r.err;
    EXPECT_EQ(key(info(), "TV", "13")["state"], "0");
    EXPECT_EQ(folder().inboxCount(), 0u);
}

TEST_F(Cli, PowerKeysAndUnknownKeysCannotBeLearned)
{
    EXPECT_NE(run("learn --area TV --key POWER/TV --timings " + data("nec-tv-1.txt")).status, 0);
    EXPECT_NE(run("learn --area TV --key 99 --timings " + data("nec-tv-1.txt")).status, 0);
    EXPECT_NE(run("learn --area XX --key 1 --timings " + data("nec-tv-1.txt")).status, 0);
}

TEST_F(Cli, FailedWriteFailsTheLearnAndKeepsTheImageConsistent)
{
    folder().setFaultCount("fail-writes", 2);
    const CliRun r = run("learn --area CBL --key 1 --timings " + data("nec-tv-1.txt"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("学习失败"), std::string::npos) << r.err;
    EXPECT_EQ(key(info(), "CBL", "12")["state"], "0");
    EXPECT_EQ(run("check").status, 0);
}

TEST_F(Cli, CheckReportsABitmapThatDisagreesWithTheSlots)
{
    const auto report = info();
    // Mark a unit used that no slot covers.
    ASSERT_TRUE(link().writeData("A5", 0x2800, "80"));
    const CliRun r = run("check --json");
    EXPECT_EQ(r.status, 1);
    const auto result = nlohmann::json::parse(r.out);
    EXPECT_FALSE(result["consistent"].get<bool>());
    EXPECT_NE(result["violations"][0].get<std::string>().find("unit 0"), std::string::npos);
}

TEST_F(Cli, RemoteCommandsDriveTheStateFolder)
{
    EXPECT_EQ(run("remote unplug").status, 0);
    EXPECT_FALSE(folder().plugged());
    EXPECT_EQ(run("remote plug").status, 0);
    EXPECT_TRUE(folder().plugged());
    EXPECT_EQ(run("remote fault writes 3").status, 0);
    EXPECT_EQ(folder().faultCount("fail-writes"), 3);
    const std::string before = link().basicInfo().substr(0, 30);
    EXPECT_EQ(run("remote reset").status, 0);
    EXPECT_NE(link().basicInfo().substr(0, 30), before);
    EXPECT_EQ(run("remote send " + data("nec-tv-1.txt")).status, 0);
    EXPECT_EQ(folder().inboxCount(), 1u);
    EXPECT_NE(run("remote send " + data("bad-value.txt")).status, 0);
    EXPECT_EQ(folder().inboxCount(), 1u);
    EXPECT_NE(run("remote status").out.find("plugged"), std::string::npos);
}

TEST_F(Cli, ImageOfTheWrongSizeIsReportedAndKeptUntilAReset)
{
    ASSERT_EQ(run("learn --area TV --key CH+ --timings " + necFile(1, 2)).status, 0);
    const auto whole = remote::readWholeFile(folder().imagePath());
    ASSERT_TRUE(whole);
    for (const std::size_t size : {whole->size() - 1, whole->size() + 1}) {
        std::string broken = *whole;
        broken.resize(size, '\0');
        ASSERT_TRUE(remote::writeFileAtomically(folder().imagePath(), broken));
        for (const char* command :
             {"info", "check", "play --area TV --key CH+", "delete --area TV --key CH+"}) {
            const CliRun r = run(command);
            EXPECT_NE(r.status, 0) << command;
            EXPECT_NE(r.err.find(std::to_string(size) + " bytes"), std::string::npos)
                << command << ": " << r.err;
        }
        EXPECT_NE(run("remote status").out.find("broken image"), std::string::npos);
        EXPECT_EQ(remote::readWholeFile(folder().imagePath()), broken) << "the broken image is left as it is";
    }

    const std::string broken = *remote::readWholeFile(folder().imagePath());
    const CliRun reset = run("remote reset");
    ASSERT_EQ(reset.status, 0) << reset.err;
    const auto kept = reset.out.substr(reset.out.rfind(' ') + 1);
    EXPECT_EQ(remote::readWholeFile(kept.substr(0, kept.size() - 1)), broken) << reset.out;
    EXPECT_EQ(run("info").status, 0);
}

TEST_F(Cli, NextWriteRemovesTemporariesOfAKilledWrite)
{
    ASSERT_EQ(run("info").status, 0);
    const auto leftover = statePath() / ".image.bin.tmp-4242-0";
    ASSERT_TRUE(remote::writeFileAtomically(leftover, "half an image"));
    ASSERT_EQ(run("learn --area TV --key CH+ --timings " + necFile(1, 2)).status, 0);
    EXPECT_FALSE(std::filesystem::exists(leftover));
}

TEST_F(Cli, LongCaptureKeepsItsLastMarkAndSpace)
{
    // 767 durations, one gap so long that it takes two capture groups: the capture's group count
    // is then even although it ends on a mark.
    std::string text = "carrier 38000\n";
    std::vector<long> sent;
    for (int i = 0; i < 383; ++i) {
        sent.push_back(i % 3 == 0 ? 1200 : 600);
        sent.push_back(i == 200 ? 15000 : (i % 2 == 0 ? 1690 : 560));
    }
    sent.push_back(900);
    for (const long duration : sent)
        text += std::to_string(duration) + " ";
    const std::string path = (statePath() / "long.txt").string();
    std::ofstream(path) << text << '\n';
    ASSERT_EQ(run("learn --area TV --key 1 --timings " + path).status, 0);
    const auto played = numbers(run("play --area TV --key 1").out);
    ASSERT_EQ(played.size(), sent.size());
    EXPECT_NEAR(played[played.size() - 2], sent[sent.size() - 2], 100) << "the last space";
    EXPECT_NEAR(played.back(), sent.back(), 100) << "the last mark";
}

namespace {

bool isAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

TEST_F(Cli, EnglishHelpAndMessagesHoldNoChinese)
{
    const CliRun help = runWith("QMV718_LANG=en", "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage:"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("Learn one key: the remote receives a code and stores it"), std::string::npos);
    EXPECT_NE(help.out.find("--lang"), std::string::npos);
    EXPECT_TRUE(isAscii(help.out)) << help.out;

    const CliRun clearHelp = runWith("QMV718_LANG=en", "clear --help");
    EXPECT_NE(clearHelp.out.find("answer Yes to the confirmation"), std::string::npos) << clearHelp.out;
    EXPECT_TRUE(isAscii(clearHelp.out)) << clearHelp.out;

    const CliRun unknownKey =
        runWith("QMV718_LANG=en", "learn --area TV --key NOPE --timings " + data("nec-tv-1.txt"));
    EXPECT_NE(unknownKey.status, 0);
    EXPECT_NE(unknownKey.err.find("no such key: NOPE"), std::string::npos) << unknownKey.err;
    EXPECT_TRUE(isAscii(unknownKey.err)) << unknownKey.err;
}

TEST_F(Cli, EnglishMessagesOfTheSharedCoreAndTheirCaptions)
{
    folder().setPlugged(false);
    const CliRun r = runWith("LANG=en_US.UTF-8", "info");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("Note: No remote found. Please check the USB cable."), std::string::npos) << r.err;
    EXPECT_TRUE(isAscii(r.err)) << r.err;

    folder().setPlugged(true);
    const CliRun bad =
        runWith("LANG=en_US.UTF-8", "learn --area TV --key 1 --timings " + data("bad-value.txt"));
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.err.find("line "), std::string::npos) << bad.err;
    EXPECT_TRUE(isAscii(bad.err)) << bad.err;
}

TEST_F(Cli, TheLanguageFollowsTheLocaleUnlessTheEnvironmentOrTheOptionSaysOtherwise)
{
    const auto usageLine = [this](const std::string& environment, const std::string& arguments) {
        const std::string out = runWith(environment, arguments).out;
        return out.substr(0, out.find('\n', out.find('\n') + 1));
    };
    EXPECT_NE(usageLine("LANG=en_US.UTF-8", "--help").find("Usage:"), std::string::npos);
    EXPECT_NE(usageLine("LANG=zh_CN.UTF-8", "--help").find("用法:"), std::string::npos);
    // A system that names no language the tool speaks gets the tool's own language, Chinese.
    EXPECT_NE(usageLine("LANG=C.UTF-8", "--help").find("用法:"), std::string::npos);
    EXPECT_NE(usageLine("LANG=de_DE.UTF-8", "--help").find("用法:"), std::string::npos);
    EXPECT_NE(usageLine("LANG=zh_CN.UTF-8 QMV718_LANG=en", "--help").find("Usage:"), std::string::npos);
    EXPECT_NE(usageLine("QMV718_LANG=en", "--lang zh --help").find("用法:"), std::string::npos);
    EXPECT_NE(usageLine("LANG=zh_CN.UTF-8", "--help --lang=en").find("Usage:"), std::string::npos);

    const CliRun unknown = runWith("LANG=en_US.UTF-8", "--lang fr --help");
    EXPECT_NE(unknown.err.find("unknown language \"fr\""), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.out.find("Usage:"), std::string::npos);
}
