// qmv718-cli in the user's language: chosen by the locale, QMV718_LANG and --lang, and English
// throughout when chosen.
#include "CliFixture.h"

#include <algorithm>

using namespace qmv;
using test::Cli;
using test::CliRun;

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
#if !defined(_WIN32) // Windows' list of preferred languages (Wine's at least) always ends in English
    // A system that names no language the tool speaks gets the tool's own language, Chinese.
    EXPECT_NE(usageLine("LANG=C.UTF-8", "--help").find("用法:"), std::string::npos);
    EXPECT_NE(usageLine("LANG=de_DE.UTF-8", "--help").find("用法:"), std::string::npos);
#endif
    EXPECT_NE(usageLine("LANG=zh_CN.UTF-8 QMV718_LANG=en", "--help").find("Usage:"), std::string::npos);
    EXPECT_NE(usageLine("QMV718_LANG=en", "--lang zh --help").find("用法:"), std::string::npos);
    EXPECT_NE(usageLine("LANG=zh_CN.UTF-8", "--help --lang=en").find("Usage:"), std::string::npos);

    const CliRun unknown = runWith("LANG=en_US.UTF-8", "--lang fr --help");
    EXPECT_NE(unknown.err.find("unknown language \"fr\""), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.out.find("Usage:"), std::string::npos);
}
