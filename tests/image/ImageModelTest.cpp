#include "ImageModel.h"

#include <gtest/gtest.h>

using namespace qmv;

TEST(BitmapConversion, MapAndBitmapAreEachOthersInverse)
{
    EXPECT_EQ(bitmapToMap("B0"), "10110000");
    EXPECT_EQ(mapToBitmap("10110000"), "B0");
    EXPECT_EQ(bitmapToMap("A"), "1010");
    EXPECT_EQ(bitmapToMap("0F80"), "0000111110000000");
    EXPECT_EQ(mapToBitmap("0000111110000000"), "0F80");
    // 9 units take two bytes; a partial last byte is padded with zeros.
    EXPECT_EQ(mapToBitmap("111111111"), "FF80");
}

TEST(SlotText, WorkedExampleRoundTrips)
{
    const Slot slot = Slot::make("2B1F04", 5, 3);
    EXPECT_EQ(slot.text(), "2B1F04058003");
    const auto parsed = Slot::parse("2B1F04058003");
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->inUse());
    EXPECT_EQ(parsed->start(), 5);
    EXPECT_EQ(parsed->length, 3);
    EXPECT_FALSE(Slot::parse("000000000000")->inUse());
    EXPECT_FALSE(Slot::parse("2B1F0405800"));
    EXPECT_FALSE(Slot::parse("2B1F04058G03"));
}

TEST(RecordSlot, OnlyAStoredCodeInASlotNamesOne)
{
    auto record = KeyRecord::parse("C0008005FFFF00000000000000000000000000000000");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->slot(), 5);
    record->state = 0x00; // cleared: the bytes still say slot 5, but nothing is stored
    EXPECT_FALSE(record->slot());
    EXPECT_FALSE(KeyRecord::parse("C0000001000000000000000000000000000000000000")->slot());
}

namespace {

ImageSnapshot tinyImage()
{
    ImageSnapshot image;
    image.layout.bitmapbits = 12;
    image.bitmap = "0000";
    image.slotTable = {Slot{"000000", 0, 0}, Slot{"000000", 0, 0}};
    image.records = {*KeyRecord::parse("00000000000000000000000000000000000000000000")};
    return image;
}

} // namespace

TEST(Invariants, ConsistentImagePasses)
{
    ImageSnapshot image = tinyImage();
    image.slotTable[1] = Slot::make("412233", 2, 3);
    image.bitmap = mapToBitmap("001110000000");
    image.records[0] = *KeyRecord::parse("C0008001FFFF00000000000000000000000000000000");
    EXPECT_TRUE(checkInvariants(image).empty());
}

TEST(Invariants, EachKindOfContradictionIsReported)
{
    {
        ImageSnapshot image = tinyImage();
        image.records[0] = *KeyRecord::parse("C0008001FFFF00000000000000000000000000000000");
        const auto v = checkInvariants(image);
        ASSERT_EQ(v.size(), 1u);
        EXPECT_NE(v[0].find("not in use"), std::string::npos);
    }
    {
        ImageSnapshot image = tinyImage();
        image.bitmap = mapToBitmap("010000000000");
        const auto v = checkInvariants(image);
        ASSERT_EQ(v.size(), 1u);
        EXPECT_NE(v[0].find("unit 1"), std::string::npos);
    }
    {
        ImageSnapshot image = tinyImage();
        image.slotTable[0] = Slot::make("412233", 0, 3);
        image.slotTable[1] = Slot::make("512233", 2, 2);
        image.bitmap = mapToBitmap("111100000000");
        const auto v = checkInvariants(image);
        ASSERT_EQ(v.size(), 1u);
        EXPECT_NE(v[0].find("overlaps"), std::string::npos);
    }
    {
        ImageSnapshot image = tinyImage();
        image.slotTable[0] = Slot::make("412233", 10, 3);
        image.bitmap = mapToBitmap("000000000011");
        const auto v = checkInvariants(image);
        ASSERT_FALSE(v.empty());
        EXPECT_NE(v[0].find("runs past"), std::string::npos);
    }
}

namespace {

std::string recordNaming(int slot)
{
    return "C00080" + std::string(slot < 16 ? "0" : "") + std::to_string(slot) + "FFFF" +
           std::string(32, '0');
}

const Slot freed = Slot::released();
// A slot whose in-use bit was lost: its entry still says where its data lies.
Slot lostBit(const std::string& identifier, int start, int length)
{
    Slot slot = Slot::make(identifier, start, length);
    slot.pointer &= 0x7FFF;
    return slot;
}

} // namespace

TEST(Repair, MendsEveryDisagreementWithoutFreeingANamedSlot)
{
    struct Case
    {
        const char* what;
        std::vector<Slot> slots;
        const char* map; // 12 units
        std::vector<int> named;
        std::vector<int> restored, cleared, freedSlots;
        int bitmapUnits;
    };
    const std::vector<Case> cases = {
        {"a named slot that lost its in-use bit, its units still held",
         {lostBit("412233", 2, 3), freed},
         "001110000000",
         {0},
         {0},
         {},
         {},
         0},
        {"a named slot freed, its units free again: anything may have been written there",
         {lostBit("412233", 2, 3), freed},
         "000000000000",
         {0},
         {},
         {0},
         {},
         0},
        {"a named slot released by the tool", {freed, freed}, "000000000000", {1}, {}, {0}, {}, 0},
        {"a record naming a slot beyond the table", {freed, freed}, "000000000000", {7}, {}, {0}, {}, 0},
        {"two named free slots over the same units: neither provably owns them",
         {lostBit("412233", 2, 3), lostBit("512233", 4, 2)},
         "001111000000",
         {0, 1},
         {},
         {0, 1},
         {},
         4},
        {"two slots in use over the same units",
         {Slot::make("412233", 0, 3), Slot::make("512233", 2, 2)},
         "111100000000",
         {0, 1},
         {},
         {0, 1},
         {0, 1},
         4},
        {"a named slot running past the data area",
         {Slot::make("412233", 10, 3), freed},
         "000000000011",
         {0},
         {},
         {0},
         {0},
         2},
        {"a named slot in use without data",
         {Slot::make("412233", 0, 0), freed},
         "000000000000",
         {0},
         {},
         {0},
         {0},
         0},
        {"units the bitmap holds that no slot covers",
         {Slot::make("412233", 0, 2), freed},
         "111000000001",
         {0},
         {},
         {},
         {},
         2},
        {"units of a slot in use the bitmap calls free",
         {Slot::make("412233", 0, 3), freed},
         "100000000000",
         {0},
         {},
         {},
         {},
         2},
        {"a slot in use that no key names",
         {freed, Slot::make("412233", 4, 1)},
         "000010000000",
         {},
         {},
         {},
         {1},
         1},
        {"two keys sharing one slot agree",
         {Slot::make("412233", 4, 1), freed},
         "000010000000",
         {0, 0},
         {},
         {},
         {},
         0},
    };
    for (const Case& c : cases) {
        ImageSnapshot image = tinyImage();
        image.slotTable = c.slots;
        image.bitmap = mapToBitmap(c.map);
        image.records.clear();
        for (const int slot : c.named)
            image.records.push_back(*KeyRecord::parse(recordNaming(slot)));
        const TableRepair repair = planRepair(image);
        EXPECT_EQ(repair.restoredSlots, c.restored) << c.what;
        EXPECT_EQ(repair.clearedRecords, c.cleared) << c.what;
        EXPECT_EQ(repair.freedSlots, c.freedSlots) << c.what;
        EXPECT_EQ(repair.bitmapUnits, c.bitmapUnits) << c.what;
        EXPECT_EQ(repair.empty(), checkInvariants(image).empty() && unnamedSlots(image).empty()) << c.what;

        // The tables as the repair leaves them agree, and every key left holding a code has its data.
        for (const int record : repair.clearedRecords)
            image.records[static_cast<std::size_t>(record)].state = 0x00;
        image.slotTable = repair.slotTable;
        image.bitmap = repair.bitmap;
        EXPECT_TRUE(checkInvariants(image).empty()) << c.what << ": " << checkInvariants(image).front();
        EXPECT_TRUE(unnamedSlots(image).empty()) << c.what;
        EXPECT_TRUE(planRepair(image).empty()) << c.what;
    }
}
