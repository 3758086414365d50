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
    // check names the fault and every command that would use the remote refuses it.
    void expectReportedAndRefused(const std::string& fault)
    {
        const CliRun check = run("check --json");
        EXPECT_EQ(check.status, 1) << check.err;
        const auto report = nlohmann::json::parse(check.out);
        bool named = false;
        for (const auto& violation : report["violations"])
            named = named || violation.get<std::string>().find(fault) != std::string::npos;
        EXPECT_TRUE(named) << check.out;
        for (const char* command : {"info", "learn --area TV --key 1 --timings ", "delete --area DVD --key 1",
                                    "clear --area AMP --yes", "check --repair"}) {
            const std::string arguments =
                std::string(command) + (std::string(command).starts_with("learn") ? necFile(1, 2) : "");
            const CliRun r = run(arguments);
            EXPECT_EQ(r.status, 2) << command << ": " << r.err;
            EXPECT_NE(r.err.find("遥控器内存数据有误（" + fault), std::string::npos)
                << command << ": " << r.err;
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
    expectReportedAndRefused("编码索引 03 超出了编码数据区");
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
