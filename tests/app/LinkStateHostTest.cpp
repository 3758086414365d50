#include "LinkStateThread.h"

#include "CaptureLoop.h"
#include "IBtn.h"
#include "MainWindow.h"
#include "QtTestApplication.h"
#include "RemoteFixture.h"
#include "RemoteLoader.h"
#include "ScriptedDialogs.h"
#include "VirtualRemote.h"

#include "../app/TestBundles.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>

namespace qmv {
namespace {

using ::testing::ElementsAre;

// Short enough for many cycles per test, long enough that the user-interface thread is idle
// between them.
constexpr std::chrono::milliseconds testPeriod{20};
// Only a bound on a hung test: every wait ends as soon as its condition holds.
constexpr int patienceMillis = 20000;

constexpr const char* stopLearningFirst = "你正在学习，要退出系统请先停止学习！";

template <typename Condition> bool eventually(Condition condition)
{
    return QTest::qWaitFor(condition, patienceMillis);
}

// Counts the close requests that reach the window.
class CloseCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

// The real window, shown with the test pictures, watched against the virtual remote it was
// started with.
class LinkWatcherTest : public test::RemoteFixture
{
protected:
    void SetUp() override
    {
        RemoteFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        bundles.withComplete();

        RemoteLoader loader(link(), dialogs);
        const std::optional<LoadedRemote> remote = loader.load();
        ASSERT_TRUE(remote) << loader.failure();
        ASSERT_EQ(remote->remoteid.size(), 30U);

        window = std::make_unique<MainWindow>(link(), dialogs);
        window->setProgramFolder(bundles.path());
        window->installEventFilter(&closes);
        watcher = new LinkStateHost(*window, link(), dialogs, remote->remoteid, testPeriod);

        QSignalSpy shown(window.get(), &MainWindow::noticesShown);
        window->show();
        ASSERT_TRUE(eventually([&] { return shown.count() == 1; }));
        ASSERT_TRUE(watcher->isWatching());
        // What showing itself asked (the test screen is too small) is not the watcher's.
        dialogs.shown.clear();
    }

    QWidget* keypad() const { return window->findChild<QWidget*>(QStringLiteral("ykqbox")); }
    std::vector<IBtn*> commandButtons() const
    {
        return {window->beginStudyButton(), window->deleteKeyButton(), window->clearAllButton()};
    }
    bool keypadAvailable() const
    {
        const auto buttons = commandButtons();
        return !keypad()->isHidden() &&
               std::all_of(buttons.begin(), buttons.end(), [](const IBtn* b) { return b->isEnabled(); });
    }
    bool keypadTakenAway() const
    {
        const auto buttons = commandButtons();
        return keypad()->isHidden() &&
               std::none_of(buttons.begin(), buttons.end(), [](const IBtn* b) { return b->isEnabled(); });
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const auto& box : dialogs.shown)
            result.push_back(box.text);
        return result;
    }
    int timesAsked(const std::string& text) const
    {
        const std::vector<std::string> all = texts();
        return static_cast<int>(std::count(all.begin(), all.end(), text));
    }
    bool onlyReconnectQuestionsShown() const
    {
        return std::all_of(dialogs.shown.begin(), dialogs.shown.end(),
                           [](const auto& box) { return box.text == reconnectQuestion; });
    }

    // At least one whole cycle has passed once the watcher has polled twice more.
    bool cyclesPass()
    {
        const std::uint64_t before = link().callCount();
        return eventually([&] { return link().callCount() >= before + 2; });
    }

    // Unplugs the remote and waits for the watcher to ask for it.
    void unplugAndWaitForQuestion()
    {
        folder().setPlugged(false);
        ASSERT_TRUE(eventually([&] { return timesAsked(reconnectQuestion) >= 1; }));
    }

    // Unplugs, then plugs in a different remote (new identity) in place of the first.
    void swapRemote()
    {
        unplugAndWaitForQuestion();
        ASSERT_TRUE(remote::resetImage(folder()));
        folder().setPlugged(true);
    }

    testing::BundleFolder bundles;
    test::ScriptedDialogs dialogs;
    CloseCounter closes;
    std::unique_ptr<MainWindow> window;
    QPointer<LinkStateHost> watcher; // owned by the window
};

// ---- Starting.

TEST_F(LinkWatcherTest, ShowingTheWindowAgainStartsNoSecondWatcher)
{
    const linkstate* first = watcher->watcherThread();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isRunning());

    QSignalSpy shown(window.get(), &MainWindow::showFinished);
    window->hide();
    window->show();
    ASSERT_TRUE(eventually([&] { return shown.count() == 1; }));
    EXPECT_EQ(watcher->watcherThread(), first);
}

TEST_F(LinkWatcherTest, AnAttachedRemoteLeavesWindowAndUserAlone)
{
    ASSERT_TRUE(cyclesPass());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(keypad()->isHidden());
    EXPECT_TRUE(watcher->isWatching());
}

// ---- Unplugging and replugging the same remote.

TEST_F(LinkWatcherTest, UnpluggingTakesTheKeypadAwayAndAsksAfterEveryAnswer)
{
    folder().setPlugged(false);
    ASSERT_TRUE(eventually([&] { return timesAsked(reconnectQuestion) >= 3; }));
    EXPECT_TRUE(keypadTakenAway());
    EXPECT_TRUE(onlyReconnectQuestionsShown());
    EXPECT_EQ(dialogs.shown.front().caption, "提示");
    EXPECT_EQ(dialogs.shown.front().buttons, Buttons::RetryCancel);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(LinkWatcherTest, TheSameRemoteBackGivesTheKeypadBackWithoutAnotherQuestion)
{
    unplugAndWaitForQuestion();
    folder().setPlugged(true);
    ASSERT_TRUE(eventually([&] { return keypadAvailable(); }));

    const std::size_t asked = dialogs.shown.size();
    ASSERT_TRUE(cyclesPass());
    EXPECT_EQ(dialogs.shown.size(), asked);
    EXPECT_TRUE(onlyReconnectQuestionsShown());
    EXPECT_TRUE(keypadAvailable());
    EXPECT_TRUE(watcher->isWatching());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(LinkWatcherTest, TheSameRemoteCanGoAndComeBackAgain)
{
    for (int round = 0; round < 2; ++round) {
        dialogs.shown.clear();
        unplugAndWaitForQuestion();
        ASSERT_TRUE(keypadTakenAway());
        folder().setPlugged(true);
        ASSERT_TRUE(eventually([&] { return keypadAvailable(); })) << "round " << round;
    }
    EXPECT_TRUE(watcher->isWatching());
}

// ---- Giving up.

TEST_F(LinkWatcherTest, CancelThenCancelKeepsTheProgramRunningAndAsksAgain)
{
    dialogs.answers = {Reply::Cancel, Reply::Cancel};
    folder().setPlugged(false);
    ASSERT_TRUE(eventually([&] { return dialogs.shown.size() >= 3; }));
    std::vector<std::string> firstThree = texts();
    firstThree.resize(3);
    EXPECT_THAT(firstThree, ElementsAre(reconnectQuestion, closeProgramQuestion, reconnectQuestion));
    EXPECT_EQ(dialogs.shown[1].caption, "提示");
    EXPECT_EQ(dialogs.shown[1].buttons, Buttons::OkCancel);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(watcher->isWatching());
    EXPECT_FALSE(window->state().closing);
}

TEST_F(LinkWatcherTest, CancelThenOkClosesTheProgram)
{
    QSignalSpy ended(watcher.data(), &LinkStateHost::watcherEnded);
    dialogs.answers = {Reply::Cancel, Reply::Ok};
    folder().setPlugged(false);
    ASSERT_TRUE(eventually([&] { return ended.count() == 1; }));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->state().closing);
    EXPECT_FALSE(watcher->isWatching());
    EXPECT_THAT(texts(), ElementsAre(reconnectQuestion, closeProgramQuestion));
    EXPECT_EQ(closes.count, 1);
}

// ---- A different remote.

TEST_F(LinkWatcherTest, ADifferentRemoteClosesTheProgramWithoutAMessage)
{
    QSignalSpy ended(watcher.data(), &LinkStateHost::watcherEnded);
    swapRemote();
    ASSERT_TRUE(eventually([&] { return ended.count() == 1; }));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(onlyReconnectQuestionsShown());
    EXPECT_EQ(closes.count, 1);
}

TEST_F(LinkWatcherTest, ADifferentRemoteWhileLearningLeavesTheWindowOpenWithoutAWatcher)
{
    window->state().studyState = true;
    QSignalSpy ended(watcher.data(), &LinkStateHost::watcherEnded);
    swapRemote();
    ASSERT_TRUE(eventually([&] { return ended.count() == 1; }));

    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->state().closing);
    EXPECT_FALSE(watcher->isWatching());
    EXPECT_EQ(dialogs.lastText(), stopLearningFirst);
    EXPECT_EQ(timesAsked(stopLearningFirst), 1);
    // The identity check ends the watcher before it would give the keypad back.
    EXPECT_TRUE(keypadTakenAway());

    // Nothing polls the remote any more, so nothing else happens.
    const std::size_t asked = dialogs.shown.size();
    const std::uint64_t calls = link().callCount();
    QTest::qWait(static_cast<int>(testPeriod.count()) * 5);
    EXPECT_EQ(link().callCount(), calls);
    EXPECT_EQ(dialogs.shown.size(), asked);
}

// ---- Closing.

TEST_F(LinkWatcherTest, ClosingNormallyEndsTheWatcherWithoutASecondCloseRequest)
{
    QSignalSpy ended(watcher.data(), &LinkStateHost::watcherEnded);
    QSignalSpy closing(window.get(), &MainWindow::closingStarted);
    EXPECT_TRUE(window->close());
    ASSERT_TRUE(eventually([&] { return ended.count() == 1; }));
    EXPECT_EQ(closes.count, 1);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_TRUE(dialogs.shown.empty());
}

// The window sets `closing` before it asks the watcher to end; a watcher ending on its own at
// that moment must not ask for a second close.
TEST_F(LinkWatcherTest, AWatcherEndingWhileTheWindowIsClosingAsksNoClose)
{
    window->state().closing = true;
    QSignalSpy ended(watcher.data(), &LinkStateHost::watcherEnded);
    dialogs.answers = {Reply::Cancel, Reply::Ok};
    folder().setPlugged(false);
    ASSERT_TRUE(eventually([&] { return ended.count() == 1; }));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(closes.count, 0);
}

TEST_F(LinkWatcherTest, ClosingWhileTheRemoteIsMissingAsksNothingMore)
{
    unplugAndWaitForQuestion();
    QSignalSpy ended(watcher.data(), &LinkStateHost::watcherEnded);
    EXPECT_TRUE(window->close());
    const std::size_t asked = dialogs.shown.size();
    ASSERT_TRUE(eventually([&] { return ended.count() == 1; }));
    EXPECT_EQ(dialogs.shown.size(), asked);
    EXPECT_EQ(closes.count, 1);
}

TEST_F(LinkWatcherTest, ACloseRefusedWhileLearningKeepsTheWatcher)
{
    window->state().studyState = true;
    EXPECT_FALSE(window->close());
    EXPECT_THAT(texts(), ElementsAre(stopLearningFirst));
    ASSERT_TRUE(cyclesPass());
    EXPECT_TRUE(watcher->isWatching());
}

// ---- No thread outlives the window.

TEST_F(LinkWatcherTest, DestroyingTheWindowEndsAWatcherThatWaitsForTheWindow)
{
    unplugAndWaitForQuestion();
    bool threadDestroyed = false;
    QObject::connect(watcher->watcherThread(), &QObject::destroyed, [&] { threadDestroyed = true; });
    // With no events processed for several periods the watcher is blocked on its next question.
    std::this_thread::sleep_for(testPeriod * 5);
    const std::size_t asked = dialogs.shown.size();

    window.reset();
    EXPECT_TRUE(threadDestroyed);
    EXPECT_TRUE(watcher.isNull());
    EXPECT_EQ(dialogs.shown.size(), asked);
}

TEST_F(LinkWatcherTest, DestroyingTheWindowEndsAWatcherInItsPause)
{
    bool threadDestroyed = false;
    QObject::connect(watcher->watcherThread(), &QObject::destroyed, [&] { threadDestroyed = true; });
    window.reset();
    EXPECT_TRUE(threadDestroyed);
    EXPECT_TRUE(dialogs.shown.empty());
}

// ---- A capture under way when the remote goes.

TEST_F(LinkWatcherTest, ACaptureUnderWayEndsWithoutACodeWhileTheWatcherAsksForTheRemote)
{
    std::atomic<bool> stop{false};
    const CaptureLoop capture(link());
    std::future<CaptureResult> code = std::async(std::launch::async, [&] { return capture.run(stop); });
    folder().setPlugged(false);
    ASSERT_TRUE(eventually([&] { return timesAsked(reconnectQuestion) >= 1; }));
    ASSERT_EQ(code.wait_for(std::chrono::seconds(patienceMillis / 1000)), std::future_status::ready);
    const CaptureResult ended = code.get();
    EXPECT_TRUE(ended.code.empty());
    EXPECT_EQ(ended.end, CaptureEnd::RemoteGone);
    EXPECT_TRUE(keypadTakenAway());
}

} // namespace
} // namespace qmv
