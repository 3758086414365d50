// The remote's own playback of a key: found through the header's relocated pointers, the key
// record, and for slot codes the slot table and the code data.

#include "Player.h"
#include "CodeForm.h"
#include "FactoryImage.h"

#include <gtest/gtest.h>

namespace qmv::remote {
namespace {

constexpr int kArea = 2;
constexpr int kRow = 7;
constexpr int kSlot = 5;
constexpr int kFirstUnit = 9;

class PlayKey : public ::testing::Test
{
protected:
    PlayKey()
        : m_direct(*protocolCode("NEC", 0x04, 0x08))
        , m_memory(buildFactoryImage(randomIdentity(),
                                     {{}, {{kArea, kRow, m_direct.identifier, m_direct.parameters}}}))
    {
    }

    std::size_t recordAddress(int area, int row) const
    {
        return layout::records + static_cast<std::size_t>(area * layout::keyCount + row) * layout::recordSize;
    }
    std::size_t slotAddress(int slot) const
    {
        return layout::indexBlock + (layout::dataUnits + 7) / 8 +
               static_cast<std::size_t>(slot) * layout::slotSize;
    }
    void put(std::size_t address, std::initializer_list<std::uint8_t> bytes)
    {
        for (std::uint8_t b : bytes)
            m_memory[address++] = b;
    }
    void putLe16(std::size_t address, std::uint16_t value)
    {
        put(address, {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
    }

    // A raw-form code in slot kSlot, its data from unit kFirstUnit, named by the key at (0, row):
    // two timing codes, one frame of three durations, their indices 1, 0, 1.
    Playback storeSlotKey(int row)
    {
        const StoredCode code{"8A12B0", "00000000000000000000000000000000", "0240500103000500"};
        const auto expected = play(code.identifier, code.parameters, code.data);
        EXPECT_TRUE(expected);
        put(slotAddress(kSlot), {0x8A, 0x12, 0xB0});
        putLe16(slotAddress(kSlot) + 3, static_cast<std::uint16_t>(0x8000 | kFirstUnit));
        put(slotAddress(kSlot) + 5, {1});
        const std::size_t data = layout::codeData + 8u * kFirstUnit;
        put(data, {0x02, 0x40, 0x50, 0x01, 0x03, 0x00, 0x05, 0x00});
        const std::size_t record = recordAddress(0, row);
        put(record, {0xC0, 0x00, 0x80, kSlot, 0xFF, 0xFF});
        for (std::size_t i = 0; i < 16; ++i)
            m_memory[record + 6 + i] = 0;
        return expected.value_or(Playback{});
    }

    StoredCode m_direct;
    std::vector<std::uint8_t> m_memory;
};

TEST_F(PlayKey, DirectCodePlaysItsProtocol)
{
    const auto played = playKey(m_memory, kArea, kRow);
    ASSERT_TRUE(played);
    const auto expected = play(m_direct.identifier, m_direct.parameters, "");
    EXPECT_EQ(played->durations, expected->durations);
    EXPECT_EQ(played->carrierHz, 38000u);
}

TEST_F(PlayKey, SlotCodePlaysItsData)
{
    const Playback expected = storeSlotKey(11);
    const auto played = playKey(m_memory, 0, 11);
    ASSERT_TRUE(played);
    EXPECT_EQ(played->durations, expected.durations);
}

// A header pointer at or above the relocation base is an address plus the base; below it, an
// offset from the header. Either way of writing a pointer finds the same table.
TEST_F(PlayKey, BothFormsOfARelocatedPointerFindTheSameTable)
{
    const Playback expected = storeSlotKey(11);
    putLe16(layout::header + 16,
            static_cast<std::uint16_t>(layout::records - layout::header)); // was above the base
    putLe16(layout::header + 26, static_cast<std::uint16_t>(layout::indexBlock - layout::header));
    putLe16(layout::header + 28,
            static_cast<std::uint16_t>(layout::codeData + layout::relocationBase)); // was below
    const auto slotKey = playKey(m_memory, 0, 11);
    ASSERT_TRUE(slotKey);
    EXPECT_EQ(slotKey->durations, expected.durations);
    EXPECT_TRUE(playKey(m_memory, kArea, kRow));

    // A pointer read with the wrong branch of the rule lands elsewhere.
    putLe16(layout::header + 16, static_cast<std::uint16_t>(layout::records));
    EXPECT_FALSE(playKey(m_memory, kArea, kRow));
}

TEST_F(PlayKey, NothingForKeysWithoutAPlayableCode)
{
    EXPECT_FALSE(playKey(m_memory, 0, 0));                    // never learned
    EXPECT_FALSE(playKey(m_memory, kArea, layout::keyCount)); // no such row
    EXPECT_FALSE(playKey(m_memory, layout::areaCount, 0));    // no such area

    storeSlotKey(11);
    put(slotAddress(kSlot) + 4, {0x00}); // the slot was released
    EXPECT_FALSE(playKey(m_memory, 0, 11));

    storeSlotKey(12);
    put(recordAddress(0, 12) + 3, {layout::slotCount}); // a slot number past the table
    EXPECT_FALSE(playKey(m_memory, 0, 12));

    put(recordAddress(kArea, kRow), {0x00}); // deleted: the state byte cleared
    EXPECT_FALSE(playKey(m_memory, kArea, kRow));
}

TEST_F(PlayKey, ReadsPastTheMemoryAreRefused)
{
    storeSlotKey(11);
    putLe16(slotAddress(kSlot) + 3, 0xFFFF); // the data's first unit lies beyond 64 KiB
    EXPECT_FALSE(playKey(m_memory, 0, 11));
    EXPECT_TRUE(playKey(m_memory, kArea, kRow));
    m_memory.resize(layout::infoBlock + 4); // the info block cut short
    EXPECT_FALSE(playKey(m_memory, kArea, kRow));
}

} // namespace
} // namespace qmv::remote
