#include "BridgeProtocol.h"
#include "BridgeLaunch.h"
#include "BridgeProcess.h"
#include "LibraryFormat.h"
#include "MemoryStream.h"
#include "RemoteFixture.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace qmv;
using namespace qmv::bridge;

TEST(BridgeMessages, FieldsComeBackAsWritten)
{
    const std::string binary("\0\x01\xFF zero bytes too", 17);
    MessageWriter writer(Operation::ReadData);
    writer.u32(0).u32(0xFFFFFFFE).bytes(binary).text("08").text(nullptr).text("");
    MessageReader reader(writer.payload());
    EXPECT_EQ(reader.operation(), Operation::ReadData);
    EXPECT_EQ(reader.u32(), 0u);
    EXPECT_EQ(reader.u32(), 0xFFFFFFFEu);
    EXPECT_EQ(reader.bytes(), binary);
    EXPECT_EQ(reader.text(), std::optional<std::string>("08"));
    EXPECT_EQ(reader.text(), std::nullopt);
    EXPECT_EQ(reader.text(), std::optional<std::string>(""));
    EXPECT_TRUE(reader.complete());
}

TEST(BridgeMessages, MalformedPayloadsAreNeverComplete)
{
    const std::string whole = MessageWriter(Operation::WriteData).text("A5").bytes("0102").payload();
    // Every cut-off payload lacks a field; the reader must notice instead of reading past the end.
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
        MessageReader reader(std::string_view(whole).substr(0, cut));
        reader.text();
        reader.bytes();
        EXPECT_FALSE(reader.complete()) << "cut at " << cut;
    }
    const std::string withExtra = whole + "x";
    MessageReader extra(withExtra);
    extra.text();
    extra.bytes();
    EXPECT_FALSE(extra.complete()) << "trailing bytes";

    // Readers keep a view of their payload: each payload is a named string that outlives its reader.
    const std::string fiveBytes = MessageWriter(Operation::ReadVersion).bytes("12345").payload();
    MessageReader wrongWidth(fiveBytes);
    wrongWidth.u32();
    EXPECT_FALSE(wrongWidth.complete()) << "a number is four bytes";

    // A zero-terminated argument cannot carry a zero byte: the library would see a shorter text.
    const std::string withZero =
        MessageWriter(Operation::WriteData).bytes(std::string("AB\0CD", 5)).payload();
    MessageReader embeddedZero(withZero);
    embeddedZero.text();
    EXPECT_FALSE(embeddedZero.complete());
}

TEST(BridgeFrames, OutOfBoundsFramesAreRefusedBeforeTheirBodyIsRead)
{
    test::MemoryStream huge;
    huge.queueRaw(test::MemoryStream::lengthPrefix(maxMessageBytes + 1));
    EXPECT_EQ(readFrame(huge), std::nullopt);

    test::MemoryStream empty;
    empty.queueRaw(test::MemoryStream::lengthPrefix(0));
    EXPECT_EQ(readFrame(empty), std::nullopt);

    test::MemoryStream truncated;
    truncated.queueRaw(test::MemoryStream::lengthPrefix(10) + "short");
    EXPECT_EQ(readFrame(truncated), std::nullopt);

    test::MemoryStream largest;
    EXPECT_TRUE(writeFrame(largest, std::string(maxMessageBytes, 'x')));
    EXPECT_FALSE(writeFrame(largest, std::string(maxMessageBytes + 1, 'x')));
    ASSERT_EQ(largest.replies().size(), 1u);
    EXPECT_EQ(largest.replies()[0].size(), maxMessageBytes);
}

namespace {

// The first bytes of a Windows library: the DOS header pointing at a PE header for `machine`.
std::string peHeader(std::uint16_t machine)
{
    std::string bytes(0x86, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = static_cast<char>(0x80);
    bytes.replace(0x80, 4, std::string("PE\0\0", 4));
    bytes[0x84] = static_cast<char>(machine & 0xFF);
    bytes[0x85] = static_cast<char>(machine >> 8);
    return bytes;
}

} // namespace

TEST(LibraryWordSize, ReadFromTheFileHeader)
{
    test::ScratchFolder folder;
    auto write = [&](const std::string& name, const std::string& bytes) {
        const auto path = (folder.path() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    };
    EXPECT_EQ(libraryWordBits(write("x86.dll", peHeader(0x014C))), 32);
    EXPECT_EQ(libraryWordBits(write("x64.dll", peHeader(0x8664))), 64);
    EXPECT_EQ(libraryWordBits(write("elf32.so", std::string("\x7F"
                                                            "ELF\x01",
                                                            5))),
              32);
    EXPECT_EQ(libraryWordBits(write("elf64.so", std::string("\x7F"
                                                            "ELF\x02",
                                                            5))),
              64);

    EXPECT_EQ(libraryWordBits(write("unknown-machine.dll", peHeader(0x1234))), 0);
    std::string farOffset = peHeader(0x014C);
    farOffset[0x3E] = 0x7F; // a PE header offset past any real library's first pages
    EXPECT_EQ(libraryWordBits(write("far.dll", farOffset)), 0);
    EXPECT_EQ(libraryWordBits(write("cut.dll", peHeader(0x014C).substr(0, 0x82))), 0);
    EXPECT_EQ(libraryWordBits(write("text.dll", "not a library")), 0);
    EXPECT_EQ(libraryWordBits((folder.path() / "missing.dll").string()), 0);

    // The libraries of this build are of this program's own word size.
    EXPECT_EQ(libraryWordBits(test::binFolder() + "tavrio.dll"), static_cast<int>(8 * sizeof(void*)));
}

// Which bridge starts for which library. Windows libraries on another system run in the Windows
// bridge of their word size under Wine, which sees this system's folders on drive Z:.
#if !defined(_WIN32)
TEST(BridgeLaunch, WindowsLibrariesRunInTheirWindowsBridgeUnderWine)
{
    test::ScratchFolder programs;
    test::ScratchFolder libraries;
    const std::string programFolder = programs.path().string() + "/";
    const std::string libraryFolder = libraries.path().string() + "/";
    std::ofstream(programFolder + windowsBridgeName(64)) << "bridge";
    test::setEnvironment("QMV718_WINE", "/opt/wine/bin/wine");
    const std::string elf64("\x7F"
                            "ELF\x02",
                            5);
    struct Case
    {
        const char* what;
        std::string library;
        bool wanted;
        std::vector<std::string> command; // empty: refused
        std::string folder;
    };
    const std::vector<Case> cases = {
        {"a library of this system",
         elf64,
         false,
         {programFolder + BridgeProcess::programName},
         libraryFolder},
        {"a 64-bit Windows library",
         peHeader(0x8664),
         true,
         {"/opt/wine/bin/wine", programFolder + "qmv718-linkbridge-win64.exe"},
         "Z:" + libraryFolder},
        {"a 32-bit Windows library without its bridge", peHeader(0x014C), true, {}, {}},
    };
    for (const Case& c : cases) {
        std::ofstream(libraryFolder + "tavrio.dll", std::ios::binary) << c.library;
        EXPECT_EQ(bridgeWanted(libraryFolder + "tavrio.dll"), c.wanted) << c.what;
        std::string error;
        const auto launch = bridgeLaunchFor(programFolder, libraryFolder, "tavrio.dll", &error);
        if (c.command.empty()) {
            EXPECT_FALSE(launch) << c.what;
            EXPECT_NE(error.find("qmv718-linkbridge-win32.exe"), std::string::npos) << error;
            continue;
        }
        ASSERT_TRUE(launch) << c.what << ": " << error;
        EXPECT_EQ(launch->command, c.command) << c.what;
        EXPECT_EQ(launch->folder, c.folder) << c.what;
    }
    test::unsetEnvironment("QMV718_WINE");
}
#endif
