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
#include "TransferActions.h"
#include "Translation.h"
#include "Tupdate.h"
#include "WriterHold.h"

#include <QApplication>
#include <QEventLoop>
#include <QSettings>
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
    QApplication::setOrganizationName(QStringLiteral("qmv718"));
    const std::unique_ptr<qmv::Translation> translation =
        qmv::useProcessLanguage(argc, argv, QCoreApplication::applicationDirPath());
    qmv::QtDialogs dialogs;

    std::string error;
    const std::unique_ptr<qmv::LinkLibrary> library = qmv::LinkLibrary::load(qmv::libraryFolder(), &error);
    if (!library) {
        dialogs.messageBox(error, qmv::hintCaption, qmv::Buttons::Ok);
        return 1;
    }
    qmv::RemoteLink link(library->functions());

    auto splash = std::make_unique<qmv::SplashWindow>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    // A question during the start-up (no remote yet) takes the splash away: nothing lies over it.
    dialogs.setBeforeBox([&splash] { splash.reset(); });

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
    // The one setting of the user's own: whether each learned key is confirmed by a box.
    QSettings settings;
    window.setReceivedNotice(settings.value(QStringLiteral("receivedNotice"), true).toBool());
    QObject::connect(&window, &qmv::MainWindow::receivedNoticeChanged, &window,
                     [&settings](bool on) { settings.setValue(QStringLiteral("receivedNotice"), on); });
    // The update wizard is made anew each time it is opened.
    QObject::connect(&window, &qmv::MainWindow::updateRequested, &window, [&window, &dialogs] {
        qmv::Tupdate wizard(QString::fromStdString(qmv::programFolder()), &window, &dialogs);
        wizard.exec();
    });
    // The learning workflow drives the window once the remote's tables are loaded.
    std::optional<qmv::SlotJournal> journal; // outlives the session whose image notes slots in it
    std::optional<qmv::LearningSession> learning;
    if (remote) {
        learning.emplace(window, link, dialogs, remote->snapshot, qmv::libraryFolder());
        journal.emplace(qmv::WriterHold::journalPathFor(remote->remoteid));
        learning->image().setJournal(&*journal);
        // A remote swapped without the watcher noticing must not get this window's tables.
        learning->image().setRemoteIdentity(remote->remoteid, qmv::IdentityCheck::BeforeEachChange);
    }
    // Codes in and out through files: owned by the window.
    if (learning)
        new qmv::TransferActions(window, link, dialogs, *learning,
                                 {remote->lab_ykqtype, remote->lab_gjbb, remote->remoteid});
    // The link watcher: started when the window is shown, ended with it; owned by the window.
    new qmv::LinkStateHost(window, link, dialogs, remote ? remote->remoteid : std::string());

    if (splash)
        waitWithEventsRunning(splashMilliseconds);
    splash.reset();
    dialogs.setBeforeBox({});
    dialogs.setParent(&window);

    window.show();
    return QApplication::exec();
}
