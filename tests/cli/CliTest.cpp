// qmv718-cli as a user runs it: a separate process on the virtual remote's state folder.
#include "CliFixture.h"

#include <algorithm>

using namespace qmv;
using test::Cli;
using test::CliRun;
using test::numbers;
using test::slurp;
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

std::string transferData(const std::string& name)
{
    return test::testDataFolder() + "transfer/" + name;
}

} // namespace

TEST_F(Cli, ImportMapsSignalNamesReportsTheRestAndAsksBeforeOverwriting)
{
    const CliRun first = run("import --area TV --from " + transferData("lg-tv.ir"));
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.err.find("没有对应按键的信号：3d, Smart"), std::string::npos) << first.err;
    EXPECT_NE(first.err.find("没有信号的按键："), std::string::npos);
    EXPECT_NE(first.err.find("link calls: "), std::string::npos);
    auto report = info();
    EXPECT_EQ(key(report, "TV", "30")["state"], "2");
    EXPECT_EQ(key(report, "TV", "30")["contents"]["form"], "protocol");
    EXPECT_EQ(key(report, "TV", "30")["command"], "02 00 00 00");

    // Another device's Power would replace a learned key: only --yes lets it.
    const CliRun asked = run("import --area TV --from " + transferData("medion-tv.ir"));
    EXPECT_EQ(asked.status, 1);
    EXPECT_NE(asked.err.find("TV 10 (POWER)"), std::string::npos) << asked.err;
    EXPECT_EQ(key(info(), "TV", "10")["command"], "08 00 00 00");
    EXPECT_EQ(run("import --yes --area TV --from " + transferData("medion-tv.ir")).status, 0);
    EXPECT_NE(key(info(), "TV", "10")["command"], "08 00 00 00");
    EXPECT_EQ(run("check").status, 0);
}

TEST_F(Cli, ARejectedFileStoresNothingAndNamesItsLine)
{
    const std::string path = (statePath() / "bad.ir").string();
    std::ofstream(path) << "Filetype: IR signals file\nname: Power\ntype: parsed\nprotocol NEC\n";
    const auto before = info();
    const CliRun r = run("import --area TV --from " + path);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("第 4 行"), std::string::npos) << r.err;
    EXPECT_EQ(info()["keys"], before["keys"]);
}

// One duration a line, mark first, is a timing list wherever it is read: sent to the remote's
// receiver, or read as a signal file.
TEST_F(Cli, TimingsWithOneDurationALineAreLearned)
{
    std::string durations = test::necTimings(0x20, 0x40);
    durations.erase(0, durations.find('\n') + 1); // the carrier line
    std::replace(durations.begin(), durations.end(), ' ', '\n');
    const std::string path = (statePath() / "one-a-line.txt").string();
    std::ofstream(path) << "carrier 38000\n" << durations;

    const CliRun received = run("learn --area TV --key 1 --timings " + path);
    ASSERT_EQ(received.status, 0) << received.err;
    const CliRun read = run("learn --area TV --key 2 --from " + path);
    ASSERT_EQ(read.status, 0) << read.err;
    const CliRun one = run("play --area TV --key 1");
    EXPECT_FALSE(one.out.empty());
    EXPECT_EQ(one.out, run("play --area TV --key 2").out) << "both roads learn the same code";
}

TEST_F(Cli, ALineOfOnlyCommasIsNamedWithItsLine)
{
    const std::string path = (statePath() / "commas.txt").string();
    std::ofstream(path) << "9000 4500\n,,,\n";
    for (const char* command : {"learn --area TV --key 1 --from ", "import --area TV --from "}) {
        const CliRun r = run(command + path);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find("第 2 行：有空的字段"), std::string::npos) << command << r.err;
    }
}

TEST_F(Cli, LearnFromAFileTakesTheNamedSignal)
{
    const CliRun several = run("learn --area CBL --key 1 --from " + transferData("medion-tv.ir"));
    EXPECT_EQ(several.status, 1);
    EXPECT_NE(several.err.find("Vol_up"), std::string::npos) << several.err; // the names to choose from
    EXPECT_NE(
        run("learn --area CBL --key 1 --from " + transferData("medion-tv.ir") + " --signal Nothing").status,
        0);
    EXPECT_EQ(key(info(), "CBL", "12")["state"], "0");

    const CliRun learned =
        run("learn --area CBL --key 1 --from " + transferData("medion-tv.ir") + " --signal up");
    ASSERT_EQ(learned.status, 0) << learned.err;
    const auto report = info();
    const auto& one = key(report, "CBL", "12");
    EXPECT_EQ(one["state"], "2");
    // The file's raw "Up" is an RC5 frame: the converter recognises it.
    EXPECT_EQ(one["contents"]["form"], "protocol");
    EXPECT_EQ(one["protocol"], "RC5");
}

TEST_F(Cli, AnExportedAreaImportsBackIntoAnotherAreaAndPlaysTheSame)
{
    ASSERT_EQ(run("import --area TV --from " + transferData("medion-tv.ir")).status, 0);
    for (const char* format : {"json", "ir"}) {
        const std::string path = (statePath() / (std::string("tv.") + format)).string();
        const CliRun exported = run(std::string("export --area TV --format ") + format + " --to " + path);
        ASSERT_EQ(exported.status, 0) << exported.err;
        ASSERT_EQ(run("import --yes --area AMP --from " + path).status, 0);
        for (const char* keyCode : {"10", "40", "30", "24"})
            EXPECT_EQ(run(std::string("play --area AMP --key ") + keyCode).out,
                      run(std::string("play --area TV --key ") + keyCode).out)
                << format << ' ' << keyCode;
    }
    const CliRun pronto = run("export --area TV --format pronto");
    EXPECT_NE(pronto.out.find("POWER: 0000 "), std::string::npos) << pronto.out;
}

TEST_F(Cli, BackupRestoresOnAnotherRemoteAndRefusesDamagedFiles)
{
    ASSERT_EQ(run("import --area DVD --from " + transferData("lg-tv.ir")).status, 0);
    const std::string path = (statePath() / "remote.backup").string();
    ASSERT_EQ(run("backup " + path).status, 0);
    const std::string text = slurp(path);

    ASSERT_EQ(run("remote reset").status, 0); // another remote of the same model
    EXPECT_EQ(key(info(), "DVD", "30")["state"], "0");

    std::string damaged = text;
    damaged[damaged.find("\"parameters\": \"") + 16] ^= 1;
    std::ofstream(path + ".bad") << damaged;
    const CliRun refused = run("restore " + path + ".bad");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("校验和"), std::string::npos) << refused.err;
    EXPECT_EQ(key(info(), "DVD", "30")["state"], "0");

    std::string foreign = text;
    foreign.replace(foreign.find("QMV-718"), 7, "QMV-719");
    std::ofstream(path + ".foreign") << foreign;
    EXPECT_EQ(run("restore " + path + ".foreign").status, 1); // the checksum no longer fits either

    const CliRun restored = run("restore " + path);
    ASSERT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(key(info(), "DVD", "30")["state"], "2");
    EXPECT_EQ(key(info(), "DVD", "30")["command"], "02 00 00 00");
    EXPECT_EQ(run("check").status, 0);
}

// The command line with the link library and the converter reached through the link bridge gives
// what it gives with both loaded directly: the same image, codes and checks, whichever way the
// previous command went.
TEST_F(Cli, ThroughTheLinkBridgeEveryCommandGivesTheDirectResult)
{
    struct Bridge
    {
        Bridge() { test::setEnvironment("QMV718_LINK_BRIDGE", "always"); }
        ~Bridge() { test::unsetEnvironment("QMV718_LINK_BRIDGE"); }
    };
    auto bridged = [&](const std::string& arguments) {
        Bridge bridge;
        return run(arguments);
    };
    auto sameBothWays = [&](const std::string& arguments) {
        const CliRun direct = run(arguments);
        const CliRun through = bridged(arguments);
        EXPECT_EQ(through.status, direct.status) << arguments << ": " << through.err;
        EXPECT_EQ(through.out, direct.out) << arguments;
        EXPECT_EQ(through.err, direct.err) << arguments;
        return direct;
    };

    sameBothWays("info --json");
    const CliRun learn = bridged("learn --area DVD --key VOL+ --timings " + data("samsung-tving.txt"));
    ASSERT_EQ(learn.status, 0) << learn.err;
    EXPECT_EQ(key(info(), "DVD", "30")["state"], "2");
    sameBothWays("info --json");
    EXPECT_EQ(sameBothWays("play --area DVD --key 30").status, 0);
    ASSERT_EQ(run("learn --area TV --key CH+ --timings " + data("nec-tv-1.txt")).status, 0);
    sameBothWays("check --json");
    sameBothWays("play --area TV --key CH+ --format pronto");

    ASSERT_EQ(bridged("delete --area DVD --key 30").status, 0);
    EXPECT_EQ(key(info(), "DVD", "30")["state"], "0");
    sameBothWays("info --json");

    folder().setPlugged(false);
    const CliRun unplugged = sameBothWays("info");
    EXPECT_NE(unplugged.status, 0);
}
