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
