// Images that must not be used: refused with the start-up message by every command that would
// use them, each fault named by check, and slots that no key names reported and reclaimed.
#include "CliFixture.h"
#include "FactoryImage.h"

using namespace qmv;
using test::Cli;
using test::CliRun;
namespace layout = remote::layout;

namespace {

class BrokenImage : public Cli
{
protected:
    void SetUp() override
    {
        Cli::SetUp();
        ASSERT_EQ(run("info").status, 0); // the factory image
    }
    // Changes bytes of the image file as a damaged remote would hold them.
    void patch(std::size_t address, std::initializer_list<int> bytes)
    {
        auto image = remote::readWholeFile(folder().imagePath()).value();
        for (const int byte : bytes)
            image.at(address++) = static_cast<char>(byte);
        ASSERT_TRUE(remote::writeFileAtomically(folder().imagePath(), image));
    }
    void patch16(std::size_t address, int value) { patch(address, {value & 0xFF, value >> 8}); }
    // Header pointers as plain addresses: a relocation base of 0 leaves them as they are.
    void absolutePointers()
    {
        patch16(layout::infoBlock + 6, 0);
        patch16(layout::header + 16, layout::records);
        patch16(layout::header + 24, layout::knownCodeList);
        patch16(layout::header + 26, layout::indexBlock);
        patch16(layout::header + 28, layout::codeData);
    }
    // check names the fault and every command that would use the remote refuses it; a repair
    // mends the fault when it can, and refuses like the others when it cannot.
    void expectReportedAndRefused(const std::string& fault, bool mendable = false)
    {
        const CliRun check = run("check --json");
        EXPECT_EQ(check.status, 1) << check.err;
        const auto report = nlohmann::json::parse(check.out);
        bool named = false;
        for (const auto& violation : report["violations"])
            named = named || violation.get<std::string>().find(fault) != std::string::npos;
        EXPECT_TRUE(named) << check.out;
        for (const char* command : {"info", "learn --area TV --key 1 --timings ", "delete --area DVD --key 1",
                                    "clear --area AMP --yes", mendable ? "" : "check --repair"}) {
            if (*command == '\0')
                continue;
            const std::string arguments =
                std::string(command) + (std::string(command).starts_with("learn") ? necFile(1, 2) : "");
            const CliRun r = run(arguments);
            EXPECT_EQ(r.status, 2) << command << ": " << r.err;
            EXPECT_NE(r.err.find("遥控器内存数据有误（" + fault), std::string::npos)
                << command << ": " << r.err;
        }
        if (mendable) {
            const CliRun repair = run("check --repair");
            EXPECT_EQ(repair.status, 0) << repair.out << repair.err;
            EXPECT_EQ(run("check").status, 0);
        }
    }
};

} // namespace

TEST_F(BrokenImage, AreaCountOtherThanFourIsRefused)
{
    patch(layout::header + 10, {1});
    expectReportedAndRefused("设备区数为 1，应为 4");
}

TEST_F(BrokenImage, TablesOverTheProtectedBlocksOrEachOtherAreRefused)
{
    absolutePointers();
    ASSERT_EQ(run("check").status, 0) << "plain addresses alone are sound";
    patch16(layout::header + 26, 0xB038);
    expectReportedAndRefused("索引区与存储区指针块重叠");
    absolutePointers();
    patch16(layout::header + 28, layout::records + 8);
    expectReportedAndRefused("编码数据区与按键记录重叠");
}

TEST_F(BrokenImage, SlotRunningPastTheBitmapIsRefused)
{
    // Slot 3 in use from the last data unit on, three units long.
    const int bitmapBytes = (layout::dataUnits + 7) / 8;
    const std::size_t slot3 = layout::indexBlock + bitmapBytes + 3 * layout::slotSize;
    const int pointer = 0x8000 + layout::dataUnits - 1;
    patch(slot3, {0x50, 0x51, 0x52, pointer & 0xFF, pointer >> 8, 3});
    expectReportedAndRefused("编码索引 03 超出了编码数据区，可用 qmv718-cli check --repair 修复", true);
}

TEST_F(BrokenImage, SlotsNoKeyNamesAreReportedAndRepaired)
{
    ASSERT_EQ(run("learn --area DVD --key 1 --timings " + data("samsung-tving.txt")).status, 0);
    const int freeBefore = info()["freeunits"].get<int>();
    ASSERT_EQ(run("clear --area DVD --yes").status, 0);

    const CliRun check = run("check --json");
    EXPECT_EQ(check.status, 0) << "space nobody names is not an inconsistency";
    EXPECT_EQ(nlohmann::json::parse(check.out)["unnamedslots"], nlohmann::json::array({"00"}));
    EXPECT_NE(run("check").out.find("unnamed: slot 00"), std::string::npos);
    EXPECT_EQ(info()["freeunits"].get<int>(), freeBefore) << "nothing is reclaimed by reading";

    const CliRun repair = run("check --repair --json");
    ASSERT_EQ(repair.status, 0) << repair.err;
    const auto repaired = nlohmann::json::parse(repair.out);
    EXPECT_EQ(repaired["reclaimed"], nlohmann::json::array({"00"}));
    EXPECT_TRUE(repaired["unnamedslots"].empty());
    EXPECT_GT(info()["freeunits"].get<int>(), freeBefore);
    EXPECT_EQ(info()["slotsinuse"].get<int>(), 0);
}

TEST_F(BrokenImage, AKeyNamingAFreeSlotStopsEveryWriterUntilTheRepairMendsIt)
{
    const int bitmapBytes = (layout::dataUnits + 7) / 8;
    const std::size_t slot0Pointer = layout::indexBlock + bitmapBytes + 4; // high byte, the in-use bit
    const std::string backupFile = (statePath() / "saved.json").string();
    struct Case
    {
        const char* what;
        bool unitsFreed;
        const char* mended; // how the repair reports it
        const char* state;  // of the damaged key afterwards
    };
    for (const Case c : {Case{"the slot lost its in-use bit", false, "restored", "2"},
                         Case{"the slot and its units were freed", true, "cleared", "0"}}) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(run("remote reset").status, 0);
        ASSERT_EQ(run("learn --area DVD --key 1 --timings " + data("samsung-tving.txt")).status, 0);
        ASSERT_EQ(run("backup " + backupFile).status, 0);
        auto image = remote::readWholeFile(folder().imagePath()).value();
        image.at(slot0Pointer) = static_cast<char>(image.at(slot0Pointer) & 0x7F);
        if (c.unitsFreed)
            std::fill_n(image.begin() + layout::indexBlock, bitmapBytes, '\0');
        ASSERT_TRUE(remote::writeFileAtomically(folder().imagePath(), image));

        const CliRun check = run("check");
        EXPECT_EQ(check.status, 1);
        EXPECT_EQ(check.out.find("consistent:"), std::string::npos) << check.out;
        // A learn of another code would take slot 00 and key DVD 1 would play that code.
        for (const std::string& writer :
             {"learn --area DVD --key 2 --timings " + data("samsung-tving.txt"),
              std::string("delete --area DVD --key 1"), std::string("clear --area DVD --yes"),
              "import --area TV --yes --from " + test::testDataFolder() + "transfer/lg-tv.ir",
              "restore --yes " + backupFile}) {
            const CliRun r = run(writer);
            EXPECT_NE(r.status, 0) << writer;
            EXPECT_NE(r.err.find("check --repair"), std::string::npos) << writer << ": " << r.err;
        }
        EXPECT_EQ(remote::readWholeFile(folder().imagePath()), image) << "nothing was written";

        const CliRun repair = run("check --repair --json");
        EXPECT_EQ(repair.status, 0) << repair.out << repair.err;
        EXPECT_EQ(nlohmann::json::parse(repair.out)[c.mended].size(), 1u) << repair.out;
        EXPECT_NE(run("check").out.find("consistent:"), std::string::npos);
        EXPECT_EQ(key(info(), "DVD", "12")["state"], c.state);
        EXPECT_EQ(run("learn --area DVD --key 2 --timings " + necFile(7, 8)).status, 0);
        EXPECT_EQ(run("check").status, 0);
    }
}
