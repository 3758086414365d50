#include "RemoteLoader.h"
#include "FactoryImage.h"
#include "HexText.h"
#include "MemoryLayout.h"
#include "MemoryLink.h"
#include "RemoteLink.h"
#include "ScriptedDialogs.h"
#include "VirtualRemote.h"

#include <gtest/gtest.h>

using namespace qmv;
namespace layout = qmv::remote::layout;

namespace {

class Loading : public ::testing::Test
{
protected:
    Loading()
    {
        const auto image =
            remote::buildFactoryImage(remote::randomIdentity(), remote::defaultFactoryContent());
        fake.memory = image;
    }
    std::optional<LoadedRemote> load()
    {
        RemoteLoader loader(link, dialogs);
        auto result = loader.load();
        failure = loader.failure();
        return result;
    }
    void setVersion(int major, int minor, int modelHigh = 0x18, int modelLow = 0x03)
    {
        fake.put8(0xB000 + 32, major);
        fake.put8(0xB000 + 33, minor);
        fake.put8(0xB000 + 35, modelHigh);
        fake.put8(0xB000 + 36, modelLow);
    }
    std::string expectRefusedWith(const char* before, const char* after)
    {
        EXPECT_FALSE(load());
        EXPECT_EQ(dialogs.lastText(), std::string(before) + makerWebSite + after);
        EXPECT_EQ(dialogs.shown.back().caption, applicationTitle) << "a plain message";
        return dialogs.lastText();
    }

    test::MemoryLink fake;
    RemoteLink link{fake.functions()};
    test::ScriptedDialogs dialogs;
    std::string failure;
};

} // namespace

TEST_F(Loading, FactoryImageLoadsWithEveryValue)
{
    const auto loaded = load();
    ASSERT_TRUE(loaded) << failure;
    EXPECT_TRUE(dialogs.shown.empty());
    const ImageLayout& l = loaded->snapshot.layout;
    EXPECT_EQ(l.headeraddr, layout::header);
    EXPECT_EQ(l.relocbase, layout::relocationBase);
    EXPECT_EQ(l.bankcode, "A5");
    EXPECT_EQ(l.recordaddr, layout::records);
    EXPECT_EQ(l.listaddr, layout::knownCodeList);
    EXPECT_EQ(l.indexaddr, layout::indexBlock);
    EXPECT_EQ(l.codeaddr, layout::codeData);
    EXPECT_EQ(l.keycount, 52);
    EXPECT_EQ(l.bitmapbits, layout::dataUnits);
    EXPECT_EQ(loaded->snapshot.keyCodes.front(), "00");
    EXPECT_EQ(loaded->snapshot.keyCodes.back(), "71");
    EXPECT_EQ(loaded->snapshot.slotTable.size(), static_cast<std::size_t>(layout::slotCount));
    EXPECT_EQ(loaded->snapshot.bitmap.size(), 2u * ((layout::dataUnits + 7) / 8));
    EXPECT_FALSE(loaded->snapshot.knownCodes.empty());
    EXPECT_EQ(loaded->remoteid, fake.hexAt(0xB000, 15));
    EXPECT_EQ(loaded->lab_gjbb, " 2.0");
    EXPECT_EQ(loaded->lab_ykqtype, "QMV-718");
    EXPECT_EQ(loaded->snapshot.records[4].keyState(), '1') << "factory-programmed POWER in TV";
}

TEST_F(Loading, IssuesExactlyTheStartUpReadsAndWritesNothing)
{
    ASSERT_TRUE(load());
    const std::vector<std::string> expected = {
        "link_state",
        "ReadVersion",
        "read B000 6 08",
        "read B03C 2 08",
        "read 1000 5 08",
        "read 1020 50 08",
        "read 1100 " + std::to_string(208 * 44 / 16 + 1) + " 08",
        "read 2800 " + std::to_string((60 * 6 + 201) / 8 + 1) + " 08",
        "read 2400 120 08",
    };
    EXPECT_EQ(fake.calls, expected);
}

TEST_F(Loading, WaitsForTheRemoteWithRetryAndCancel)
{
    fake.detachedPolls = 2;
    ASSERT_TRUE(load());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "未检测到遥控器，请检查USB连接线");
    EXPECT_EQ(dialogs.shown[0].buttons, Buttons::RetryCancel);

    test::ScriptedDialogs cancelling;
    cancelling.answers = {Reply::Cancel};
    fake.detachedPolls = 5;
    RemoteLoader loader(link, cancelling);
    EXPECT_FALSE(loader.load());
    EXPECT_EQ(cancelling.shown.size(), 1u);
    EXPECT_EQ(fake.calls.back(), "link_state") << "nothing read after a cancel";
}

TEST_F(Loading, VersionCodeMustBe1020WhateverFollows)
{
    fake.version = "1020anything";
    EXPECT_TRUE(load());
    fake.version = "1021";
    expectRefusedWith("自学习软件不支持改遥控器，请到", "网站下载最新的该款自学习软件！");
    fake.version = "";
    expectRefusedWith("自学习软件不支持改遥控器，请到", "网站下载最新的该款自学习软件！");
}

TEST_F(Loading, DecisionTableFirstMatchWins)
{
    setVersion(0x01, 0x03, 0x88, 0x88);
    expectRefusedWith("遥控器固件程序版本比较低，请到", "网站下载最新的固件程序版本！");
    setVersion(0x09, 0x09, 0x88, 0x88); // 8888 wins whatever the versions say
    expectRefusedWith("遥控器固件程序版本比较低，请到", "网站下载最新的固件程序版本！");
    setVersion(0x01, 0x03, 0x18, 0x04);
    expectRefusedWith("自学习软件不支持改遥控器，请到", "网站下载最新的该款自学习软件！");
    setVersion(0x02, 0x03);
    expectRefusedWith("自学习软件版本比较低，请到", "下载最新的该款自学习软件！");
    setVersion(0x00, 0x03);
    expectRefusedWith("遥控器固件程序版本比较低，请到", "下载最新的固件程序版本！");
    setVersion(0x01, 0x04);
    expectRefusedWith("自学习软件版本比较低，请到", "下载最新的该款自学习软件！");
    setVersion(0x01, 0x02);
    expectRefusedWith("遥控器固件版本比较低，请到", "下载最新的固件程序版本！");
}

TEST_F(Loading, FirmwareLabelIsShownEvenWhenTheChecksFail)
{
    setVersion(0x02, 0x03);
    RemoteLoader loader(link, dialogs);
    EXPECT_FALSE(loader.load());
    EXPECT_EQ(loader.firmwareLabelShown(), " 2.0");
}

TEST_F(Loading, FailedReadsOfBasicInfoOrPointersSayTheRemoteIsMissing)
{
    for (int failingRead : {0, 1}) {
        fake.calls.clear();
        fake.failReadsFrom = failingRead;
        test::ScriptedDialogs boxes;
        RemoteLoader loader(link, boxes);
        EXPECT_FALSE(loader.load());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "未检测到遥控器，请检查USB连接线");
        EXPECT_EQ(boxes.shown[0].caption, "提示");
        EXPECT_EQ(boxes.shown[0].buttons, Buttons::Ok);
    }
}

// A link that drops for one call after the remote was found is a lost link, whichever call it
// hits: never an unsupported remote or faulty memory, which nothing was read to tell.
TEST_F(Loading, AnyLaterFailedCallSaysTheRemoteIsMissing)
{
    for (int failingCall = -1; failingCall < 7; ++failingCall) {
        fake.calls.clear();
        fake.versionFails = failingCall < 0;
        fake.failReadsFrom = failingCall < 0 ? -1 : failingCall;
        test::ScriptedDialogs boxes;
        RemoteLoader loader(link, boxes);
        EXPECT_FALSE(loader.load()) << "call " << failingCall;
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "未检测到遥控器，请检查USB连接线") << "call " << failingCall;
        EXPECT_EQ(boxes.shown[0].caption, "提示");
        EXPECT_EQ(loader.failure(), boxes.shown[0].text);
    }
}

TEST_F(Loading, RelocationTakesBothBranches)
{
    ImageLayout l;
    l.headeraddr = 0x1000;
    l.relocbase = 0x8000;
    EXPECT_EQ(l.relocate(0x8000), 0);
    EXPECT_EQ(l.relocate(0x7FFF), 0x7FFF + 0x1000);
    EXPECT_EQ(l.relocate(0x9100), 0x1100);
}

TEST_F(Loading, BadCountsAndPointersAreRefused)
{
    struct Case
    {
        const char* what;
        std::size_t address;
        int value;
        bool sixteen;
        std::size_t address2 = 0; // a second 16-bit value, when the case needs one
        int value2 = 0;
    };
    const Case cases[] = {
        {"zero keys", layout::header + 32, 0, false},
        {"zero areas", layout::header + 10, 0, false},
        {"zero slots", layout::header + 7, 0, false},
        {"zero units", layout::header + 8, 0, true},
        {"too few records", layout::header + 0, 207, true},
        {"index block too large", layout::header + 7, 255, false},
        {"code area past FFFF", layout::header + 28, 0xF000, true, layout::infoBlock + 6, 0x0000},
        {"records overlap the known-code list", layout::header + 16, 0x8000 + 0x2300, true},
        {"header past FFFF", layout::infoBlock, 0xFF00, true},
    };
    const auto factory = fake.memory;
    for (const Case& c : cases) {
        fake.memory = factory;
        (c.sixteen ? fake.put16(c.address, c.value) : fake.put8(c.address, c.value));
        if (c.address2)
            fake.put16(c.address2, c.value2);
        test::ScriptedDialogs boxes;
        RemoteLoader loader(link, boxes);
        EXPECT_FALSE(loader.load()) << c.what;
        EXPECT_EQ(boxes.shown.size(), 1u) << c.what;
    }
}

TEST_F(Loading, SlotRunOutsideTheBitmapIsRefused)
{
    const std::size_t slot0 = layout::indexBlock + (layout::dataUnits + 7) / 8;
    fake.put8(slot0, 0x41);
    fake.put16(slot0 + 3, 0x8000 + layout::dataUnits - 2);
    fake.put8(slot0 + 5, 3);
    EXPECT_FALSE(load());
    EXPECT_NE(failure.find("编码索引"), std::string::npos) << failure;

    fake.put8(slot0 + 5, 2); // ends exactly at the last unit: fine
    EXPECT_TRUE(load()) << failure;
}

TEST_F(Loading, NonHexVersionCharactersAreRefused)
{
    // Memory holds bytes, so the fault shows as a non-hex answer from the library.
    fake.memory[0xB000 + 32] = 0x01;
    test::MemoryLink& m = fake;
    LinkFunctions f = m.functions();
    f.readData = [](char* buffer, int count, const char*, const char* low, const char*) -> tavrio_bool {
        std::memset(buffer, 'G', static_cast<std::size_t>(count) * 16);
        return std::string(low) == "00";
    };
    RemoteLink broken(f);
    RemoteLoader loader(broken, dialogs);
    EXPECT_FALSE(loader.load());
    EXPECT_NE(loader.failure().find("遥控器内存数据有误"), std::string::npos);
}

TEST(KeyStates, StateByteGivesTheKeyState)
{
    const std::pair<int, char> table[] = {{0x80, '1'}, {0xC0, '2'}, {0xA0, '0'},
                                          {0xE0, '0'}, {0x00, '0'}, {0x9F, '1'}};
    for (const auto& [state, expected] : table) {
        KeyRecord record;
        record.state = state;
        EXPECT_EQ(record.keyState(), expected) << std::hex << state;
    }
}

TEST_F(Loading, SmallLayoutsLoadTheirOwnKeyCountForACheckButAreRefusedForUse)
{
    // keycount 3 and areacount 2: six entries, entries 0 and 3 carrying row 0's code.
    fake.put8(layout::header + 32, 3);
    fake.put8(layout::header + 10, 2);
    RemoteLoader lenient(link, dialogs);
    lenient.setLenient(true);
    const auto loaded = lenient.load();
    ASSERT_TRUE(loaded) << lenient.failure();
    EXPECT_EQ(loaded->snapshot.records.size(), 6u);
    EXPECT_EQ(loaded->snapshot.keyCodes, (std::vector<std::string>{"00", "03", "04"}));
    EXPECT_EQ(loaded->layoutProblems, std::vector<std::string>{"设备区数为 2，应为 4"});

    EXPECT_FALSE(load()) << "a keypad of four areas cannot work on two";
    EXPECT_EQ(failure,
              "遥控器内存数据有误（设备区数为 2，应为 4），无法读取按键信息！请重新连接遥控器后再试。");
}

TEST_F(Loading, TablesOverTheIdentityOrPointerBlockAreRefused)
{
    struct Case
    {
        int headerOffset; // the LE16 pointer in the header to move
        std::uint16_t address;
        const char* expected;
    };
    const Case cases[] = {
        {16, 0xAFF0, "按键记录与识别信息块重叠"},     // records run into B000
        {28, 0xB040, "编码数据区与存储区指针块重叠"}, // code data starts inside the pointers
        {26, 0xB038, "索引区与存储区指针块重叠"},
        {24, 0xB010, "已知编码表与识别信息块重叠"},
    };
    // With a relocation base of 0 every header pointer is the address itself.
    fake.put16(0xB03C + 6, 0);
    fake.put16(layout::header + 16, layout::records);
    fake.put16(layout::header + 24, layout::knownCodeList);
    fake.put16(layout::header + 26, layout::indexBlock);
    fake.put16(layout::header + 28, layout::codeData);
    ASSERT_TRUE(load()) << failure;
    const auto original = fake.memory;
    for (const Case& c : cases) {
        fake.memory = original;
        fake.put16(layout::header + c.headerOffset, c.address);
        EXPECT_FALSE(load()) << c.expected;
        EXPECT_NE(failure.find(c.expected), std::string::npos) << failure;
    }
}

TEST_F(Loading, RefusedWriterReadsNoTables)
{
    RemoteLoader loader(link, dialogs);
    std::string identified;
    loader.setBeforeTables([&identified](const std::string& remoteid) {
        identified = remoteid;
        return std::string("遥控器正在被另一个程序修改（qmv718，进程号 7），请先关闭它再试。");
    });
    EXPECT_FALSE(loader.load());
    EXPECT_EQ(identified, hex::encode(fake.memory.data() + memory::identityBlock, memory::identitySize));
    EXPECT_EQ(dialogs.lastText(), loader.failure());
    EXPECT_NE(loader.failure().find("进程号 7"), std::string::npos);
    EXPECT_EQ(fake.calls.back(), "read B000 6 08") << "no table is read once the hold is refused";
}
