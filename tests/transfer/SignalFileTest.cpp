// Reading signal files: the forms that are accepted, and for each kind of bad input the line and
// the reason, and whether the whole file is refused.
#include "SignalFile.h"
#include "InProcessConversion.h"
#include "RemoteFixture.h"
#include "SignalRender.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace qmv::transfer;

namespace {

std::string fileText(const std::string& name)
{
    std::string error;
    const auto text = readSignalFile(qmv::test::testDataFolder() + "transfer/" + name, &error);
    EXPECT_TRUE(text) << error;
    return text.value_or("");
}

// The problem reported for the line, or an empty text when there is none.
std::string problemAt(const SignalFile& file, int line)
{
    for (const FileProblem& problem : file.problems)
        if (problem.line == line)
            return problem.reason;
    return {};
}

const std::string kNecLine =
    "0000 006D 0021 0002 0157 00AC 0015 0016 0015 0016 0015 0016 0015 0016 0015 0016 "
    "0015 0016 0015 0016 0015 0041 0015 0041 0015 0041 0015 0041 0015 0041 0015 0041 "
    "0015 0041 0015 0016 0015 0016 0015 0016 0015 0041 0015 0016 0015 0016 0015 0016 "
    "0015 0016 0015 0016 0015 0041 0015 0041 0015 0016 0015 0041 0015 0041 0015 0041 "
    "0015 0041 0015 0041 0015 0689 0157 0056 0015 0E94";

} // namespace

TEST(SignalFile, ReadsParsedAndRawSignalsOfADeviceFile)
{
    const SignalFile lg = parseSignalFile(fileText("lg-tv.ir"));
    ASSERT_FALSE(lg.rejected);
    EXPECT_TRUE(lg.problems.empty());
    ASSERT_EQ(lg.entries.size(), 18u);
    const IrSignal& power = lg.entries.front();
    EXPECT_EQ(power.name, "Power");
    EXPECT_EQ(power.line, 6);
    ASSERT_TRUE(power.protocol);
    EXPECT_EQ(power.protocol->protocol, "NEC");
    EXPECT_EQ(power.protocol->address, 0x04u);
    EXPECT_EQ(power.protocol->command, 0x08u);

    const SignalFile medion = parseSignalFile(fileText("medion-tv.ir"));
    const IrSignal* up = findSignal(medion, "UP"); // names compare without letter case
    ASSERT_NE(up, nullptr);
    EXPECT_FALSE(up->protocol);
    EXPECT_EQ(up->carrierHz, 38000u);
    ASSERT_GE(up->durations.size(), 4u);
    EXPECT_EQ(up->durations[0], 826u);
    EXPECT_EQ(up->durations[19], 86100u); // a frame gap longer than any mark is allowed
}

TEST(SignalFile, ReadsProntoLinesWithAndWithoutNames)
{
    const SignalFile file = parseSignalFile("POWER: " + kNecLine + "\n\n# comment\n" + kNecLine + "\n");
    ASSERT_FALSE(file.rejected) << describeProblem(file.problems.front());
    ASSERT_EQ(file.entries.size(), 2u);
    EXPECT_EQ(file.entries[0].name, "POWER");
    EXPECT_EQ(file.entries[1].line, 4);
    // 006D is 109 periods of 0.241246 us: 38 kHz; 0157 periods of 26.3 us is the 9 ms header.
    EXPECT_NEAR(file.entries[0].carrierHz, 38029, 5);
    EXPECT_NEAR(file.entries[0].durations[0], 9000, 30);
    EXPECT_EQ(file.entries[0].durations.size(), 2u * (0x21 + 2));
}

TEST(SignalFile, ReadsPlainTimingListsWithOptionalCarrier)
{
    const SignalFile file = parseSignalFile("carrier 36000\n9000 4500\n560, 560 +560 -1690\n560\n");
    ASSERT_FALSE(file.rejected);
    ASSERT_EQ(file.entries.size(), 1u);
    EXPECT_EQ(file.entries[0].carrierHz, 36000u);
    EXPECT_EQ(file.entries[0].durations, (std::vector<std::uint32_t>{9000, 4500, 560, 560, 560, 1690, 560}));
}

TEST(SignalFile, ReadsOneDurationALineAndACommaAtTheEndOfALine)
{
    for (const char* text : {"9000\n4500\n560\n", "9000, 4500,\n560,\n"}) {
        const SignalFile file = parseSignalFile(text);
        ASSERT_FALSE(file.rejected) << text;
        ASSERT_EQ(file.entries.size(), 1u);
        EXPECT_EQ(file.entries[0].durations, (std::vector<std::uint32_t>{9000, 4500, 560})) << text;
    }
}

// Empty fields and deep nesting are refused with their line before anything is read into them;
// brackets inside a JSON text do not count as nesting.
TEST(SignalFile, EmptyFieldsAndDeepNestingAreNamed)
{
    const std::string deep =
        R"({"format": "qmv718-export", "keys": )" + std::string(5000, '[') + std::string(5000, ']') + "}";
    struct Case
    {
        std::string text;
        int line;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {",,,\n", 1, "空的字段"},
        {"9000 4500\n560,,560\n", 2, "空的字段"},
        {", 9000 4500 560\n", 1, "空的字段"},
        {"A: 0000,,006D 0000 0001 0157 00AC\n", 1, "空的字段"},
        {": " + kNecLine + "\n", 1, "信号名称是空的"},
        {"Filetype: IR signals file\nname: Power\ntype:\nprotocol: NEC\n", 3, "“type:”后面是空的"},
        {"Filetype: IR signals file\nname: A\ntype: parsed\nprotocol: NEC\naddress: 04,,00\ncommand: 08\n", 5,
         "04,,00"},
        {"Filetype: IR signals file\n: value\n", 2, "不是“键: 值”的行"},
        {deep, 0, "JSON 嵌套太深（最多 8 层）"},
        {R"({"format": "qmv718-export", "keys": [], "note": "[[[[[[[[[[[[[[[[[["})", 0, "文件里没有信号"},
        {R"({"format": 5, "keys": []})", 0, "不是本工具导出的 JSON 文件"},
    };
    for (const Case& c : cases) {
        const SignalFile file = parseSignalFile(c.text);
        EXPECT_TRUE(file.rejected) << c.text.substr(0, 60);
        EXPECT_NE(problemAt(file, c.line).find(c.reason), std::string::npos)
            << c.text.substr(0, 60) << ": "
            << (file.problems.empty() ? "" : describeProblem(file.problems[0]));
    }
}

TEST(SignalFile, ReportsEachBadSignalWithItsLineAndKeepsTheRest)
{
    const std::string text =
        "Filetype: IR signals file\nVersion: 1\n"
        "name: Good\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\ncommand: 08 00 00 00\n"
        "#\nname: HighCarrier\ntype: raw\nfrequency: 455000\nduty_cycle: 0.33\ndata: 500 500 500\n"
        "#\nname: Word\ntype: raw\nfrequency: 38000\ndata: 500 x12 500\n"
        "#\nname: NoCommand\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\n"
        "#\nname: Weird\ntype: sampled\n"
        "#\nname: Zero\ntype: raw\nfrequency: 38000\ndata: 500 0 500\n"
        "#\nname: Address\ntype: parsed\nprotocol: NEC\naddress: 104 00\ncommand: 08\n";
    const SignalFile file = parseSignalFile(text);
    ASSERT_FALSE(file.rejected);
    ASSERT_EQ(file.entries.size(), 1u);
    EXPECT_EQ(file.entries[0].name, "Good");
    EXPECT_NE(problemAt(file, 11).find("455000"), std::string::npos);
    EXPECT_NE(problemAt(file, 18).find("x12"), std::string::npos);
    EXPECT_NE(problemAt(file, 20).find("command"), std::string::npos); // missing: the signal's first line
    EXPECT_NE(problemAt(file, 26).find("sampled"), std::string::npos);
    EXPECT_NE(problemAt(file, 31).find("0"), std::string::npos);
    EXPECT_NE(problemAt(file, 36).find("104 00"), std::string::npos);
    EXPECT_EQ(file.problems.size(), 6u);
}

TEST(SignalFile, RefusesAWholeFileItCannotRead)
{
    // A line that is no "key: value" inside a key/value file: nothing of the file is used.
    const SignalFile broken =
        parseSignalFile("Filetype: IR signals file\nname: A\ntype: parsed\nthis line is garbage\n");
    EXPECT_TRUE(broken.rejected);
    EXPECT_TRUE(broken.entries.empty());
    EXPECT_NE(problemAt(broken, 4).find("garbage"), std::string::npos);

    EXPECT_TRUE(parseSignalFile("").rejected);
    EXPECT_TRUE(parseSignalFile("9000 4500 banana\n").rejected);
    EXPECT_TRUE(parseSignalFile("{\"format\": \"something else\"}").rejected);
    EXPECT_TRUE(parseSignalFile("{ not json").rejected);
    EXPECT_TRUE(parseSignalFile("carrier 5000\n9000 4500 560\n").rejected);
}

TEST(SignalFile, NamesWrongProntoWordCountsAndFormats)
{
    const SignalFile file = parseSignalFile("A: 0000 006D 0002 0000 0157 00AC 0015\n"
                                            "B: 0100 006D 0001 0000 0157 00AC\n"
                                            "C: 0000 0000 0001 0000 0157 00AC\n"
                                            "D: " +
                                            kNecLine + "\n");
    ASSERT_FALSE(file.rejected);
    ASSERT_EQ(file.entries.size(), 1u);
    EXPECT_NE(problemAt(file, 1).find("8"), std::string::npos) << problemAt(file, 1); // 8 words expected
    EXPECT_NE(problemAt(file, 1).find("7"), std::string::npos);
    EXPECT_NE(problemAt(file, 2).find("0100"), std::string::npos);
    EXPECT_FALSE(problemAt(file, 3).empty());

    // A single Pronto code with the wrong count leaves nothing: the file is refused.
    EXPECT_TRUE(parseSignalFile("0000 006D 0002 0000 0157 00AC 0015\n").rejected);
}

TEST(SignalFile, RefusesSignalsTooLongForTheRemote)
{
    std::string data;
    for (std::size_t i = 0; i <= kMaxDurations; ++i)
        data += "500 ";
    const SignalFile longList = parseSignalFile(data);
    EXPECT_TRUE(longList.rejected);
    EXPECT_NE(longList.problems.front().reason.find(std::to_string(kMaxDurations)), std::string::npos);

    const SignalFile longMark =
        parseSignalFile("name: M\ntype: raw\nfrequency: 38000\ndata: 70000 500 500\n#\n"
                        "name: S\ntype: raw\nfrequency: 38000\ndata: 500 250000 500\n#\n"
                        "name: Tail\ntype: raw\nfrequency: 38000\ndata: 500 500 500 900000\n");
    ASSERT_EQ(longMark.entries.size(), 1u); // a long pause after the signal is no part of it
    EXPECT_EQ(longMark.entries[0].name, "Tail");
    EXPECT_NE(problemAt(longMark, 4).find("70000"), std::string::npos);
    EXPECT_NE(problemAt(longMark, 9).find("250000"), std::string::npos);
}

TEST(SignalFile, ReadsFilesOnlyUpToTheLimit)
{
    qmv::test::ScratchFolder scratch;
    const auto path = scratch.path() / "big.txt";
    std::ofstream(path) << std::string(2000, '5');
    std::string error;
    EXPECT_FALSE(readSignalFile(path, &error, 1999));
    EXPECT_NE(error.find("1999"), std::string::npos) << error;
    EXPECT_TRUE(readSignalFile(path, &error, 2000));
    EXPECT_FALSE(readSignalFile(scratch.path() / "missing.ir", &error));
    EXPECT_FALSE(readSignalFile(scratch.path(), &error)); // a folder is no file to read
    EXPECT_TRUE(parseSignalFile(std::string(kMaxFileBytes + 1, ' ')).rejected);
}

TEST(SignalFile, RendersProtocolSignalsFromTheProtocolTableAndNamesWhatItCannot)
{
    IrSignal nec;
    nec.protocol = ProtocolSignal{"NEC", 0x04, 0x08};
    const auto rendered = renderSignal(nec, qmv::test::convertInProcess);
    ASSERT_TRUE(std::holds_alternative<qmv::StoredCode>(rendered));
    const auto expected = qmv::protocolCode("NEC", 0x04, 0x08);
    EXPECT_EQ(std::get<qmv::StoredCode>(rendered).parameters, expected->parameters);

    nec.protocol = ProtocolSignal{"NEC", 0x104, 0x08};
    const auto outOfRange = renderSignal(nec, qmv::test::convertInProcess);
    ASSERT_TRUE(std::holds_alternative<std::string>(outOfRange));
    EXPECT_NE(std::get<std::string>(outOfRange).find("0x104"), std::string::npos);

    nec.protocol = ProtocolSignal{"Morse", 1, 2};
    const auto unknown = renderSignal(nec, qmv::test::convertInProcess);
    ASSERT_TRUE(std::holds_alternative<std::string>(unknown));
    EXPECT_NE(std::get<std::string>(unknown).find("Morse"), std::string::npos);
}

TEST(SignalFile, EncodesTimingListsAsTheConverterExpects)
{
    // Frame gaps become "FEFE, milliseconds, EDED"; the pause after the signal is dropped; a
    // one-frame code ends with the one-frame end sequence.
    EXPECT_EQ(encodedBody({9000, 4500, 560, 40000}), "232811940230FEFE0014EDED");
    EXPECT_EQ(encodedBody({560, 40000, 560}), "0230FEFE0028EDED0230EDED");
    EXPECT_EQ(encodedBody({560, kFrameGapUs - 1, 560}), "02302AE40230FEFE0014EDED");

    IrSignal raw;
    raw.durations = {9000, 4500, 560, 560, 560, 1690, 560, 40000, 9000, 2250, 560};
    const auto rendered = renderSignal(raw, qmv::test::convertInProcess);
    ASSERT_TRUE(std::holds_alternative<qmv::StoredCode>(rendered));
    const auto played = playedDurations(std::get<qmv::StoredCode>(rendered));
    ASSERT_EQ(played.size(), raw.durations.size());
    for (std::size_t i = 0; i < played.size(); ++i)
        EXPECT_NEAR(played[i], raw.durations[i], std::max(50.0, 0.08 * raw.durations[i])) << i;
}
