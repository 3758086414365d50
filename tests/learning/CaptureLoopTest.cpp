// The capture's time limit, on a clock the test sets: whole-second readings, not time elapsed.
#include "CaptureLoop.h"
#include "MemoryLink.h"
#include "RemoteLink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <vector>

namespace qmv {
namespace {

using namespace std::chrono_literals;

struct LimitCase
{
    const char* situation;
    // The clock's readings: at the start, then one per poll. The capture must end with its time
    // limit at the last one.
    std::vector<std::chrono::milliseconds> readings;
};

void PrintTo(const LimitCase& c, std::ostream* out)
{
    *out << c.situation;
}

class CaptureLimitTest : public ::testing::TestWithParam<LimitCase>
{
};

TEST_P(CaptureLimitTest, EndsAtTheFirstPollSevenWholeSecondsPastTheStartReading)
{
    const LimitCase& c = GetParam();
    test::MemoryLink remote; // takes capture mode, never receives a code
    const RemoteLink link(remote.functions());
    std::size_t read = 0;
    // Past the last reading the clock leaps a minute, so that a capture that missed its end
    // still ends, having read the clock once too often.
    const CaptureLoop capture(link, [&] {
        const std::chrono::milliseconds now =
            read < c.readings.size() ? c.readings[read] : c.readings.back() + 1min;
        ++read;
        return std::chrono::duration_cast<std::chrono::steady_clock::duration>(now);
    });
    const std::atomic<bool> stop{false};
    const CaptureResult result = capture.run(stop);
    EXPECT_EQ(result.end, CaptureEnd::TimeLimit);
    EXPECT_TRUE(result.code.empty());
    EXPECT_EQ(read, c.readings.size()) << "the clock read that often";
}

// 10:00:59.900 as time since the clock's origin.
constexpr std::chrono::milliseconds tenOhOhFiftyNine = 10h + 59s + 900ms;

INSTANTIATE_TEST_SUITE_P(
    Readings, CaptureLimitTest,
    ::testing::Values(LimitCase{"started late in its second, 6.1 s",
                                {100'900ms, 101'000ms, 106'999ms, 107'000ms}},
                      LimitCase{"started early in its second, 7 s", {100'000ms, 106'999ms, 107'000ms}},
                      LimitCase{"across a change of minute, not at 10:01:00",
                                {tenOhOhFiftyNine, tenOhOhFiftyNine + 100ms, tenOhOhFiftyNine + 6'099ms,
                                 tenOhOhFiftyNine + 6'100ms}},
                      LimitCase{"a poll that comes late ends it at once", {100'500ms, 109'250ms}}));

} // namespace
} // namespace qmv
