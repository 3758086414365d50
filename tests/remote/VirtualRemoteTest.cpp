#include "VirtualRemote.h"
#include "FactoryImage.h"
#include "RemoteFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <set>
#include <thread>

using namespace qmv;
namespace layout = qmv::remote::layout;

namespace {

int hexByte(const std::string& text, std::size_t byte)
{
    return std::stoi(text.substr(2 * byte, 2), nullptr, 16);
}

int le16(const std::string& text, std::size_t byte)
{
    return hexByte(text, byte) | (hexByte(text, byte + 1) << 8);
}

std::string readBytes(RemoteLink& link, std::uint16_t address, int bytes)
{
    const int units = (bytes + 7) / 8;
    return link.readData(address, units, static_cast<std::size_t>(units) * 16).substr(0, 2 * bytes);
}

} // namespace

using VirtualRemoteMemory = test::RemoteFixture;

TEST_F(VirtualRemoteMemory, FactoryImageIsCreatedOnFirstUseAsAPlainFile)
{
    EXPECT_FALSE(std::filesystem::exists(folder().imagePath()));
    ASSERT_TRUE(link().linkState());
    EXPECT_FALSE(link().basicInfo().empty());
    ASSERT_TRUE(std::filesystem::exists(folder().imagePath()));
    EXPECT_EQ(std::filesystem::file_size(folder().imagePath()), 65536u);
}

TEST_F(VirtualRemoteMemory, IdentifiesAsTheSupportedModelAndFirmware)
{
    EXPECT_EQ(link().readVersion().substr(0, 4), "1020");
    const std::string info = link().readData(0xB000, 6, 1024);
    EXPECT_EQ(info.substr(64, 4), "0103") << "firmware major and minor";
    EXPECT_EQ(info.substr(70, 4), "1803") << "model code";
    EXPECT_EQ(link().basicInfo().substr(0, 30), info.substr(0, 30));
}

TEST_F(VirtualRemoteMemory, HeaderPointersNeedBothBranchesOfTheRelocation)
{
    const std::string info = readBytes(link(), 0xB03C, 9);
    const int header = le16(info, 0);
    const int base = le16(info, 6);
    const std::string head = readBytes(link(), static_cast<std::uint16_t>(header), 40);
    bool above = false, below = false;
    for (int offset : {16, 24, 26, 28}) {
        const int stored = le16(head, offset);
        (stored >= base ? above : below) = true;
    }
    EXPECT_TRUE(above);
    EXPECT_TRUE(below);
}

TEST_F(VirtualRemoteMemory, RegionsLieWhereTheHeaderSaysAndDoNotOverlap)
{
    const std::string info = readBytes(link(), 0xB03C, 9);
    const int header = le16(info, 0), base = le16(info, 6);
    const std::string head = readBytes(link(), static_cast<std::uint16_t>(header), 40);
    auto relocate = [&](int v) {
        return v >= base ? v - base : v + header;
    };
    const int records = relocate(le16(head, 16)), list = relocate(le16(head, 24)),
              index = relocate(le16(head, 26)), code = relocate(le16(head, 28));
    const int recordCount = le16(head, 0), slots = hexByte(head, 7), bits = le16(head, 8);
    const int areas = hexByte(head, 10), keys = hexByte(head, 32);
    EXPECT_EQ(keys, 52);
    EXPECT_EQ(areas, 4);
    EXPECT_GE(recordCount, keys * areas);
    EXPECT_GE(slots, 48);
    EXPECT_NE(bits % 8, 0);
    EXPECT_GE(bits * 8, 12 * 1024);
    const int listCount = le16(readBytes(link(), static_cast<std::uint16_t>(list), 2), 0);

    struct Region
    {
        int start, end;
    };
    std::vector<Region> regions = {{header, header + 33 + keys},
                                   {records, records + 22 * recordCount},
                                   {list, list + 2 + 6 * listCount},
                                   {index, index + (bits + 7) / 8 + 6 * slots},
                                   {code, code + 8 * bits},
                                   {0xB000, 0xB030},
                                   {0xB03C, 0xB04C}};
    for (std::size_t i = 0; i < regions.size(); ++i) {
        EXPECT_LE(regions[i].end, 0x10000);
        for (std::size_t j = i + 1; j < regions.size(); ++j)
            EXPECT_TRUE(regions[i].end <= regions[j].start || regions[j].end <= regions[i].start)
                << "regions " << i << " and " << j << " overlap";
    }

    // The key-code table holds the keypad in order; a few keys come programmed from elsewhere.
    const std::string table = readBytes(link(), static_cast<std::uint16_t>(header + 32), 1 + keys);
    EXPECT_EQ(table.substr(2, 8), "00030407");
    EXPECT_EQ(table.substr(2 * keys, 2), "71");
    const std::string recordText = readBytes(link(), static_cast<std::uint16_t>(records), 22 * recordCount);
    std::set<int> programmedAreas;
    for (int i = 0; i < recordCount; ++i)
        if (hexByte(recordText, 22 * static_cast<std::size_t>(i)) == 0x80)
            programmedAreas.insert(i / keys);
    EXPECT_GE(programmedAreas.size(), 2u);
}

TEST_F(VirtualRemoteMemory, WritesLandAndRefusedWritesChangeNothing)
{
    ASSERT_TRUE(link().writeData("A5", 0x7000, "DEADBEEF"));
    EXPECT_EQ(readBytes(link(), 0x7000, 4), "DEADBEEF");

    const auto before = folder().imagePath();
    const std::string snapshot = *remote::readWholeFile(before);
    EXPECT_FALSE(link().writeData("A4", 0x7000, "00")) << "wrong device tag";
    EXPECT_FALSE(link().writeData("A5", 0x7000, "ABC")) << "odd number of digits";
    EXPECT_FALSE(link().writeData("A5", 0x7000, "ZZ")) << "not hex";
    EXPECT_FALSE(link().writeData("A5", 0x7000, "")) << "no data";
    EXPECT_FALSE(link().writeData("A5", 0xFFFF, "0000")) << "past FFFF";
    EXPECT_EQ(*remote::readWholeFile(before), snapshot);
    EXPECT_TRUE(link().writeData("A5", 0xFFFF, "00")) << "the last byte itself is writable";
}

TEST_F(VirtualRemoteMemory, ReadsPastTheEndOrWithAnotherSelectorFail)
{
    EXPECT_TRUE(link().readData(0xFFF8, 1, 16).size() == 16);
    EXPECT_TRUE(link().readData(0xFFF9, 1, 16).empty());
    char buffer[64] = {};
    std::string error;
    auto library = LinkLibrary::load(test::binFolder(), &error);
    ASSERT_TRUE(library);
    EXPECT_FALSE(library->functions().readData(buffer, 1, "B0", "00", "09"));
    EXPECT_FALSE(library->functions().readData(buffer, 1, "B", "00", "08"));
}

TEST_F(VirtualRemoteMemory, ResetMakesADifferentRemote)
{
    const std::string before = link().basicInfo().substr(0, 30);
    ASSERT_TRUE(remote::resetImage(folder()));
    EXPECT_NE(link().basicInfo().substr(0, 30), before);
}

TEST_F(VirtualRemoteMemory, AConnectionWritesOnlyToTheRemoteItIdentified)
{
    EXPECT_TRUE(link().writeData("A5", 0x7000, "11")) << "a connection that identified no remote yet";
    const std::string identity = link().readData(0xB000, 2, 64);
    ASSERT_TRUE(remote::resetImage(folder()));
    EXPECT_FALSE(link().writeData("A5", 0x7000, "22")) << "the remote was swapped behind the link's back";
    EXPECT_NE(link().basicInfo().substr(0, 30), identity.substr(0, 30));
    EXPECT_TRUE(link().writeData("A5", 0x7000, "33")) << "the new remote, once identified";
}

using VirtualRemoteFaults = test::RemoteFixture;

TEST_F(VirtualRemoteFaults, UnpluggedRemoteAnswersNothing)
{
    folder().setPlugged(false);
    EXPECT_FALSE(link().linkState());
    EXPECT_TRUE(link().readVersion().empty());
    EXPECT_TRUE(link().basicInfo().empty());
    EXPECT_TRUE(link().readData(0xB000, 6, 1024).empty());
    EXPECT_FALSE(link().writeData("A5", 0x7000, "00"));
    EXPECT_FALSE(link().setCodeCarrierWave());
    folder().setPlugged(true);
    EXPECT_TRUE(link().linkState());
}

TEST_F(VirtualRemoteFaults, NextWritesFailThenWorkAgain)
{
    folder().setFaultCount("fail-writes", 2);
    EXPECT_FALSE(link().writeData("A5", 0x7000, "11"));
    EXPECT_FALSE(link().writeData("A5", 0x7000, "22"));
    EXPECT_TRUE(link().writeData("A5", 0x7000, "33"));
    EXPECT_EQ(readBytes(link(), 0x7000, 1), "33");
}

TEST_F(VirtualRemoteFaults, LinkDropsForSoManyCalls)
{
    folder().setFaultCount("drop-link", 3);
    EXPECT_FALSE(link().linkState());
    EXPECT_TRUE(link().readVersion().empty());
    EXPECT_FALSE(link().linkState());
    EXPECT_TRUE(link().linkState());
}

using VirtualRemoteCapture = test::RemoteFixture;

TEST_F(VirtualRemoteCapture, NothingIsReceivedOutsideCaptureMode)
{
    folder().deliverToInbox("900 450 560\n");
    EXPECT_TRUE(link().collectCodeInfo().empty());
    EXPECT_EQ(folder().inboxCount(), 1u) << "the code waits for capture mode";
}

TEST_F(VirtualRemoteCapture, ReceivesInboxCodesOldestFirstInTheCaptureForm)
{
    folder().deliverToInbox("carrier 38000\n1000 500 600\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    folder().deliverToInbox("2000 1000 700\n");
    ASSERT_TRUE(link().setCodeCarrierWave());
    const std::string first = link().collectCodeInfo();
    ASSERT_EQ(first.size(), 10240u);
    // Marks come out 58 µs longer and spaces 58 µs shorter, in thirds of a microsecond.
    EXPECT_EQ(first.substr(0, 12), "8C66052E87B6");
    std::string end;
    for (int i = 0; i < 20; ++i)
        end += "7FFF";
    EXPECT_EQ(first.substr(12, 80), end);
    // Carrier groups: (a + b + c) / 9 is the period in µs, so 1000 / period gives back 38 kHz.
    const int a = std::stoi(first.substr(92, 2), nullptr, 16),
              b = std::stoi(first.substr(94, 2), nullptr, 16),
              c = std::stoi(first.substr(96, 2), nullptr, 16);
    EXPECT_EQ(static_cast<int>(1000.0 / ((a + b + c) / 9.0)), 38);
    EXPECT_EQ(first[100], '\0');
    EXPECT_EQ(first.back(), '\0');

    EXPECT_TRUE(link().collectCodeInfo().empty()) << "one code per capture";
    ASSERT_TRUE(link().setCodeCarrierWave());
    EXPECT_EQ(link().collectCodeInfo().substr(0, 4), "981E"); // (2000 + 58) * 3 with bit 15
}

TEST_F(VirtualRemoteCapture, DemoModeReceivesABuiltInSignalAfterAPause)
{
    folder().setDemoEnabled(true);
    ASSERT_TRUE(link().setCodeCarrierWave());
    EXPECT_TRUE(link().collectCodeInfo().empty()) << "not before the remote's button is pressed";
    std::string code;
    for (int i = 0; i < 200 && code.empty(); ++i)
        code = link().collectCodeInfo();
    ASSERT_EQ(code.size(), 10240u);
    std::string endMarker;
    for (int i = 0; i < 20; ++i)
        endMarker += "7FFF";
    EXPECT_NE(code.find(endMarker), std::string::npos);
}

TEST_F(VirtualRemoteCapture, DemoOffReceivesNothingWithoutAnInboxCode)
{
    ASSERT_TRUE(link().setCodeCarrierWave());
    std::this_thread::sleep_for(remote::VirtualRemote::demoDelay + std::chrono::milliseconds(100));
    EXPECT_TRUE(link().collectCodeInfo().empty());
}

TEST_F(VirtualRemoteCapture, CaptureTextFromTheInboxIsPassedOnAsItIs)
{
    std::string capture = "8C66052E87B6";
    for (int i = 0; i < 20; ++i)
        capture += "7FFF";
    capture += "4F4F5000";
    folder().deliverToInbox(capture);
    ASSERT_TRUE(link().setCodeCarrierWave());
    const std::string received = link().collectCodeInfo();
    ASSERT_EQ(received.size(), 10240u);
    EXPECT_EQ(received.substr(0, capture.size()), capture);
}
