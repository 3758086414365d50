#include "TCollectCode.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>

namespace qmv {
namespace {

TEST(TCollectCode, RunsTheCaptureOnAThreadOfItsOwnAndHandsOverItsCode)
{
    std::promise<std::pair<std::string, std::thread::id>> ended;
    std::thread::id captureThread;
    TCollectCode capture(
        [&captureThread](const std::atomic<bool>&) {
            captureThread = std::this_thread::get_id();
            return std::string("CODE");
        },
        [&ended](CaptureResult collected) {
            EXPECT_EQ(collected.end, CaptureEnd::Received);
            ended.set_value({std::move(collected.code), std::this_thread::get_id()});
        });
    auto [code, finishedOn] = ended.get_future().get();
    EXPECT_EQ(code, "CODE");
    EXPECT_NE(finishedOn, std::this_thread::get_id());
    EXPECT_EQ(finishedOn, captureThread) << "the hand-over is the thread's last act";
}

TEST(TCollectCode, AStopRequestReachesTheCapture)
{
    std::promise<std::string> ended;
    TCollectCode capture(
        [](const std::atomic<bool>& stop) {
            while (!stop.load())
                std::this_thread::yield();
            return CaptureResult({}, CaptureEnd::Stopped);
        },
        [&ended](CaptureResult collected) {
            EXPECT_EQ(collected.end, CaptureEnd::Stopped);
            ended.set_value(std::move(collected.code));
        });
    capture.requestStop();
    EXPECT_TRUE(capture.stopRequested());
    EXPECT_EQ(ended.get_future().get(), "");
}

TEST(TCollectCode, GoingAwayStopsAndWaitsForTheCapture)
{
    std::atomic<bool> returned{false};
    {
        TCollectCode capture(
            [&returned](const std::atomic<bool>& stop) {
                while (!stop.load())
                    std::this_thread::yield();
                returned = true;
                return std::string();
            },
            [](const CaptureResult&) {});
    }
    EXPECT_TRUE(returned.load());
}

TEST(TCollectCode, AFailingCaptureEndsWithoutCode)
{
    std::promise<std::string> ended;
    TCollectCode capture([](const std::atomic<bool>&) -> CaptureResult { throw std::runtime_error("gone"); },
                         [&ended](CaptureResult collected) {
                             EXPECT_EQ(collected.end, CaptureEnd::Failed);
                             ended.set_value(std::move(collected.code));
                         });
    EXPECT_EQ(ended.get_future().get(), "");
}

} // namespace
} // namespace qmv
