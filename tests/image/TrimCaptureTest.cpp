#include "CaptureBuilder.h"
#include "CaptureEncoding.h"

#include <gtest/gtest.h>

namespace qmv {
namespace {

using test::captureBuffer;
using test::endMarker;
using test::repeatGroup;

TEST(TrimCapture, WithoutEndMarkerYieldsZeroGroup)
{
    EXPECT_EQ(TrimCapture(std::string(10240, '0')), "0000");
    EXPECT_EQ(TrimCapture(repeatGroup("7FFF", 19) + "1234"), "0000");
    EXPECT_EQ(TrimCapture(""), "0000");
}

TEST(TrimCapture, ShortCaptureKeepsTrailingMark)
{
    const std::string groups = repeatGroup("8100", 9) + "8200";
    const std::string trimmed = TrimCapture(captureBuffer(groups, "1A1B1C00"));
    EXPECT_EQ(trimmed, groups + endMarker() + "1A1B1C00");
}

TEST(TrimCapture, ShortCaptureDropsTrailingSpace)
{
    const std::string groups = repeatGroup("8100", 9) + "0200";
    const std::string trimmed = TrimCapture(captureBuffer(groups, "1A1B1C00"));
    EXPECT_EQ(trimmed, repeatGroup("8100", 9) + endMarker() + "1A1B1C00");
    EXPECT_EQ(trimmed.size() % 4, 0u);
}

TEST(TrimCapture, TailTakesMarkerAndBothCarrierGroupsOnly)
{
    const std::string trimmed = TrimCapture(captureBuffer("8100", "ABCDEF01") + "FFFF");
    EXPECT_EQ(trimmed, "8100" + endMarker() + "ABCDEF01");
}

TEST(TrimCapture, TailShortensWhenBufferEndsEarly)
{
    const std::string text = "8100" + endMarker() + "AB";
    EXPECT_EQ(TrimCapture(text), text);
}

TEST(TrimCapture, MarkerAtStartLeavesNoHead)
{
    EXPECT_EQ(TrimCapture(captureBuffer("")), endMarker() + "4F4F4F00");
}

// Beyond 3000 characters the head is cut to whole groups, whatever their count.
TEST(TrimCapture, LongCaptureKeepsEveryWholeGroup)
{
    const std::string evenHead = repeatGroup("8100", 800); // marker at character 3201
    EXPECT_EQ(TrimCapture(captureBuffer(evenHead)), evenHead + endMarker() + "4F4F4F00");

    const std::string oddHead = repeatGroup("8100", 801);
    EXPECT_EQ(TrimCapture(captureBuffer(oddHead)), oddHead + endMarker() + "4F4F4F00");
}

// A repeat gap longer than one group can hold takes several: the head's group count is then even
// though it ends on a mark, and that last mark and the space before it belong to the code.
TEST(TrimCapture, LongCaptureWithAMultiGroupGapKeepsItsLastMarkAndSpace)
{
    const std::string frame = repeatGroup("81000100", 200) + "8100"; // 401 groups, mark last
    const std::string gap = "7FFF7FFF7FFF0123";                      // one space of four groups
    const std::string head = frame + gap + repeatGroup("81000100", 199) + "82000200" + "8300";
    ASSERT_EQ(head.size() / 4 % 2, 0u);
    ASSERT_GT(head.size(), 3000u);
    EXPECT_EQ(TrimCapture(captureBuffer(head)), head + endMarker() + "4F4F4F00");
}

TEST(TrimCapture, LongCaptureDropsSpaceEndingTheCutHead)
{
    const std::string head = repeatGroup("81000100", 400) + "8100"; // 801 groups, last a mark
    const std::string spaceLast = repeatGroup("81000100", 400) + "0100";
    EXPECT_EQ(TrimCapture(captureBuffer(head)), head + endMarker() + "4F4F4F00");
    EXPECT_EQ(TrimCapture(captureBuffer(spaceLast)), repeatGroup("81000100", 400) + endMarker() + "4F4F4F00");
}

TEST(TrimCapture, FindsFirstOfSeveralMarkers)
{
    const std::string text = "8100" + endMarker() + "11223300" + "8200" + endMarker() + "44556600";
    EXPECT_EQ(TrimCapture(text), "8100" + endMarker() + "11223300");
}

} // namespace
} // namespace qmv
