#include "LinkLibrary.h"
#include "LinkStateThread.h"
#include "MainWindow.h"
#include "MainWindowView.h"
#include "QtDialogs.h"
#include "RemoteLink.h"
#include "RemoteLoader.h"
#include "SharedLibrary.h"
#include "SlotJournal.h"
#include "SplashWindow.h"
#include "Translation.h"
#include "Tupdate.h"
#include "WriterHold.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

namespace {

constexpr int splashMilliseconds = 500;

// Keeps the splash painted while it stays up.
void waitWithEventsRunning(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(qmv::applicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral(QMV718_APP_ID));
    const std::unique_ptr<qmv::Translation> translation =
        qmv::useProcessLanguage(argc, argv, QCoreApplication::applicationDirPath());
    qmv::QtDialogs dialogs;

    std::string error;
    const std::unique_ptr<qmv::LinkLibrary> library = qmv::LinkLibrary::load(qmv::programFolder(), &error);
    if (!library) {
        dialogs.messageBox(error, qmv::hintCaption, qmv::Buttons::Ok);
        return 1;
    }
    qmv::RemoteLink link(library->functions());

    auto splash = std::make_unique<qmv::SplashWindow>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    qmv::MainWindow window(link, dialogs);
    // Identify the remote and read its memory tables while the splash is up; a window whose
    // start failed closes as soon as it is shown.
    qmv::RemoteLoader loader(link, dialogs, [] { QApplication::processEvents(); });
    // The window keeps a copy of the remote's tables for its whole life, so it holds the remote
    // from before it reads them until the program ends.
    std::unique_ptr<qmv::WriterHold> hold;
    loader.setBeforeTables([&hold](const std::string& remoteid) {
        std::string refusal;
        hold = qmv::WriterHold::take(remoteid, "qmv718", &refusal);
        return refusal;
    });
    const std::optional<qmv::LoadedRemote> remote = loader.load();
    window.setFirmwareVersionText(QString::fromStdString(loader.firmwareLabelShown()));
    if (remote)
        window.setRemoteModelText(QString::fromStdString(remote->lab_ykqtype));
    else
        window.state().startFailed = true;
    // The update wizard is made anew each time it is opened.
    QObject::connect(&window, &qmv::MainWindow::updateRequested, &window, [&window] {
        qmv::Tupdate wizard(QString::fromStdString(qmv::programFolder()), &window);
        wizard.exec();
    });
    // The learning workflow drives the window once the remote's tables are loaded.
    std::optional<qmv::SlotJournal> journal; // outlives the session whose image notes slots in it
    std::optional<qmv::LearningSession> learning;
    if (remote) {
        learning.emplace(window, link, dialogs, remote->snapshot, qmv::programFolder());
        journal.emplace(qmv::WriterHold::journalPathFor(remote->remoteid));
        learning->image().setJournal(&*journal);
    }
    // The link watcher: started when the window is shown, ended with it; owned by the window.
    new qmv::LinkStateHost(window, link, dialogs, remote ? remote->remoteid : std::string());

    waitWithEventsRunning(splashMilliseconds);
    splash.reset();

    window.show();
    return QApplication::exec();
}
