#include "MemoryLayout.h"

#include <gtest/gtest.h>

namespace qmv::memory {
namespace {

// Both branches of the pointer rule, with the values a factory remote uses: the header at 1000,
// the relocation base at 8000.
TEST(MemoryLayout, RelocatesPointersOnBothSidesOfTheBase)
{
    EXPECT_EQ(relocate(0x9100, 0x1000, 0x8000), 0x1100) << "at or above the base: counted from address 0";
    EXPECT_EQ(relocate(0x8000, 0x1000, 0x8000), 0x0000);
    EXPECT_EQ(relocate(0x1800, 0x1000, 0x8000), 0x2800) << "below the base: counted from the header";
    EXPECT_EQ(relocate(0x7FFF, 0x1000, 0x8000), 0x8FFF);
}

TEST(MemoryLayout, OnlyIdentifiersBelow22AreStoredDirectly)
{
    EXPECT_TRUE(isDirectProtocolNumber(0x00));
    EXPECT_TRUE(isDirectProtocolNumber(0x21));
    EXPECT_FALSE(isDirectProtocolNumber(0x22));
    EXPECT_FALSE(isDirectProtocolNumber(0x40));
    EXPECT_FALSE(isDirectProtocolNumber(-1));
}

} // namespace
} // namespace qmv::memory
