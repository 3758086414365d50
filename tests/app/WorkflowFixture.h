#pragma once

// The real main window with the learning workflow, shown on the offscreen platform against a
// fresh virtual remote (demo mode off), its message boxes answered from a script.

#include "CaptureSignal.h"
#include "DemoSignals.h"
#include "IBtn.h"
#include "ImageModel.h"
#include "Keypad.h"
#include "LoadedImage.h"
#include "MainWindow.h"
#include "MainWindowView.h"
#include "QtTestApplication.h"
#include "RemoteFixture.h"
#include "RemoteLoader.h"
#include "ScriptedDialogs.h"
#include "TestBundles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace qmv::test {

// The durations of a demo signal as a timings file for the remote's inbox.
inline std::string timingsOf(std::size_t demoSignal)
{
    const remote::Signal& signal = remote::demoSignals().at(demoSignal);
    std::string text = "carrier " + std::to_string(signal.carrierHz) + "\n";
    for (std::uint32_t duration : signal.durations)
        text += std::to_string(duration) + " ";
    return text + "\n";
}

class WorkflowTest : public RemoteFixture
{
protected:
    void SetUp() override
    {
        RemoteFixture::SetUp();
        bundles.withComplete();
    }

    void TearDown() override
    {
        if (session) {
            expectMirrorMatchesRemote();
            session.reset();
        }
        window.reset();
        EXPECT_THAT(checkInvariants(reload()), ::testing::IsEmpty());
    }

    // Reads the remote's tables afresh, as a new start-up would.
    ImageSnapshot reload() { return loadSnapshot(link()); }

    // Starts the program's window as main() does, the converter taken from `converterFolder`.
    void open(const std::string& converterFolder = binFolder())
    {
        window = std::make_unique<MainWindow>(link(), dialogs);
        window->setProgramFolder(bundles.path());
        session = std::make_unique<LearningSession>(*window, link(), dialogs, reload(), converterFolder);
        QSignalSpy settled(window.get(), &MainWindow::noticesShown);
        window->show();
        ASSERT_TRUE(waitUntil([&settled] { return settled.count() == 1; }));
        dialogs.shown.clear(); // the offscreen screen's resolution warning
    }

    LearningController& controller() { return session->controller(); }
    const MainWindowState& state() const { return window->state(); }

    static bool waitUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds limit = std::chrono::seconds(15))
    {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > limit.count())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    static void click(IBtn* button)
    {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() / 2));
    }
    void clickKey(const std::string& code) { click(window->keyButton(code)); }
    void clickBeginStudy() { click(window->beginStudyButton()); }
    void clickDeleteKey() { click(window->deleteKeyButton()); }
    void clickClearAll() { click(window->clearAllButton()); }
    void clickTab(int area) { click(window->areaTab(area)); }

    // Clicks the key in learning mode and waits until its capture has been dealt with.
    void learnKey(const std::string& code, std::optional<std::size_t> demoSignal)
    {
        if (demoSignal)
            folder().deliverToInbox(timingsOf(*demoSignal));
        clickKey(code);
        ASSERT_TRUE(controller().captureRunning() || !controller().pendingKey());
        ASSERT_TRUE(waitUntil([this] { return !controller().captureRunning(); }));
    }

    // Which of the four sets the key's picture comes from, if any.
    std::optional<KeyLook> pictureSetOf(const std::string& code) const
    {
        const IBtn* key = window->keyButton(code);
        const WindowPictures* pictures = window->pictures();
        if (!key || !pictures)
            return std::nullopt;
        for (KeyLook set : {KeyLook::NotLearned, KeyLook::Learned, KeyLook::BeingLearned, KeyLook::Elsewhere})
            if (key->picture().cacheKey() == pictures->key(set, pictureIndex(code)).cacheKey())
                return set;
        return std::nullopt;
    }

    char remoteStateOf(const std::string& code, int area)
    {
        const ImageSnapshot image = reload();
        for (std::size_t row = 0; row < image.keyCodes.size(); ++row)
            if (image.keyCodes[row] == code)
                return image.records.at(static_cast<std::size_t>(area) * image.keyCodes.size() + row)
                    .keyState();
        return '?';
    }

    // The messages' first lines; the lines naming key, area and reason are tested on their own.
    std::vector<std::string> texts() const { return dialogs.headlines(); }

    // What the window believes the remote holds is what the remote holds.
    void expectMirrorMatchesRemote()
    {
        const ImageSnapshot mirror = session->image().snapshot();
        const ImageSnapshot remote = reload();
        ASSERT_EQ(mirror.records.size(), remote.records.size());
        for (std::size_t i = 0; i < mirror.records.size(); ++i)
            EXPECT_EQ(mirror.records[i].keyState(), remote.records[i].keyState()) << "record " << i;
        EXPECT_EQ(mirror.bitmap, remote.bitmap);
        ASSERT_EQ(mirror.slotTable.size(), remote.slotTable.size());
        for (std::size_t s = 0; s < mirror.slotTable.size(); ++s)
            EXPECT_EQ(mirror.slotTable[s].text(), remote.slotTable[s].text()) << "slot " << s;
    }

    ::qmv::testing::BundleFolder bundles;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<LearningSession> session;
};

} // namespace qmv::test
