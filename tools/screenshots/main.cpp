// Renders the main window in its typical states to PNG files, without a screen, for the README.
// It runs the window on the virtual remote beside it, as the program does, and learns a few keys
// on it first (the remote's demo mode sends a code for every key clicked while learning):
//     qmv718-screenshots <output folder> [scale]
// Point QMV718_REMOTE_DIR at an empty folder so that a remote of your own stays untouched.
// `scale` is the device pixel ratio to draw at (1 by default; 2 gives the pictures of a 200 %
// screen). Files: window-idle, window-learning, window-waiting, window-deleting, window-transfer
// (the import and export menu open) and help (the help window on its first page), each
// "-<scale>x.png". The language is chosen as the program
// chooses it: --lang, QMV718_LANG or the locale.

#include "Dialogs.h"
#include "HelpWindow.h"
#include "IBtn.h"
#include "LinkLibrary.h"
#include "MainWindow.h"
#include "MainWindowView.h"
#include "RemoteLink.h"
#include "RemoteLoader.h"
#include "SharedLibrary.h"
#include "TransferActions.h"
#include "Translation.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QThread>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace {

// Answers every box with its first button and prints what it said, so nothing waits for a user.
class AnsweringDialogs : public qmv::Dialogs
{
public:
    qmv::Reply messageBox(const std::string& text, const std::string&, qmv::Buttons buttons) override
    {
        std::fprintf(stderr, "box: %s\n", text.c_str());
        switch (buttons) {
        case qmv::Buttons::YesNo:
            return qmv::Reply::Yes;
        case qmv::Buttons::RetryCancel:
            return qmv::Reply::Cancel; // no remote: give up rather than wait for ever
        default:
            return qmv::Reply::Ok;
        }
    }
    void plainMessage(const std::string& text) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
};

bool waitFor(const std::function<bool()>& condition, int milliseconds = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

class Shooter
{
public:
    Shooter(qmv::MainWindow& window, QString folder, int scale)
        : m_window(window)
        , m_folder(std::move(folder))
        , m_scale(scale)
    {
    }

    // The whole face, also where the window is smaller than it on this screen, with a popup menu
    // that is open drawn where it stands on the face.
    bool shoot(const char* scene, QMenu* openMenu = nullptr) const
    {
        QCoreApplication::processEvents();
        QWidget* face = m_window.findChild<QWidget*>(QStringLiteral("face"));
        QPixmap picture = face ? face->grab() : QPixmap();
        if (face && openMenu) {
            QPainter painter(&picture);
            painter.drawPixmap(face->mapFromGlobal(openMenu->pos()), openMenu->grab());
        }
        return save(picture, QStringLiteral("window-%1").arg(scene));
    }

    // A window of its own, such as the help.
    bool shootWindow(QWidget& window, const char* name) const
    {
        QCoreApplication::processEvents();
        return save(window.grab(), QString::fromUtf8(name));
    }

private:
    bool save(const QPixmap& picture, const QString& name) const
    {
        const QString file = QDir(m_folder).filePath(QStringLiteral("%1-%2x.png").arg(name).arg(m_scale));
        if (picture.isNull() || !picture.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        }
        std::printf("%s\n", qPrintable(file));
        return true;
    }

    qmv::MainWindow& m_window;
    QString m_folder;
    int m_scale;
};

void click(qmv::IBtn* button)
{
    if (button)
        emit button->clicked();
}

// Learns the keys through the window, as a user would with the remote in demo mode.
bool learnKeys(qmv::MainWindow& window, const qmv::LearningController& controller,
               std::initializer_list<const char*> codes)
{
    click(window.beginStudyButton());
    for (const char* code : codes) {
        click(window.keyButton(code));
        if (!waitFor([&controller] { return !controller.pendingKey() && !controller.captureRunning(); })) {
            std::fprintf(stderr, "no code came for key %s: is the remote's demo mode on?\n", code);
            return false;
        }
    }
    click(window.beginStudyButton());
    return true;
}

int run(const QString& folder, int scale)
{
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    AnsweringDialogs dialogs;
    std::string error;
    const std::unique_ptr<qmv::LinkLibrary> library = qmv::LinkLibrary::load(qmv::programFolder(), &error);
    if (!library) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    qmv::RemoteLink link(library->functions());
    qmv::RemoteLoader loader(link, dialogs);
    const std::optional<qmv::LoadedRemote> remote = loader.load();
    if (!remote) {
        std::fprintf(stderr, "the virtual remote could not be loaded\n");
        return 1;
    }

    qmv::MainWindow window(link, dialogs);
    window.setFirmwareVersionText(QString::fromStdString(loader.firmwareLabelShown()));
    window.setRemoteModelText(QString::fromStdString(remote->lab_ykqtype));
    qmv::LearningSession learning(window, link, dialogs, remote->snapshot, qmv::programFolder());
    qmv::LearningController& controller = learning.controller();
    new qmv::TransferActions(window, link, dialogs, learning,
                             {remote->lab_ykqtype, remote->lab_gjbb, remote->remoteid});
    window.state().receivedNotice = false;
    window.show();
    if (!waitFor([&window] { return window.pictures() != nullptr; }))
        return 1;
    if (!learnKeys(window, controller, {"12", "13", "30", "33", "26", "31", "36"}))
        return 1;

    const Shooter shooter(window, folder, scale);
    bool shot = shooter.shoot("idle");
    click(window.beginStudyButton());
    window.keyButton("16")->setFocus(Qt::TabFocusReason); // shows the keyboard's focus mark
    shot = shooter.shoot("learning") && shot;
    click(window.keyButton("16"));
    shot = shooter.shoot("waiting") && shot;
    click(window.beginStudyButton());
    waitFor([&controller] { return !controller.captureRunning(); });
    click(window.deleteKeyButton());
    shot = shooter.shoot("deleting") && shot;
    click(window.deleteKeyButton());

    // The import and export menu, opened beneath its button.
    if (auto* transfer = window.findChild<QToolButton*>(QStringLiteral("transferibtn"));
        transfer && transfer->menu()) {
        QMenu* menu = transfer->menu();
        menu->popup(transfer->mapToGlobal(QPoint(0, transfer->height())));
        waitFor([menu] { return menu->isVisible(); }, 2000);
        shot = shooter.shoot("transfer", menu) && shot;
        menu->hide();
    } else {
        std::fprintf(stderr, "the window has no import and export button\n");
        shot = false;
    }

    // The help (F1) on its first page.
    click(window.findChild<qmv::IBtn*>(QStringLiteral("helpibtn")));
    if (QWidget* help = window.helpWindow(); help && waitFor([help] { return help->isVisible(); }, 2000)) {
        shot = shooter.shootWindow(*help, "help") && shot;
        help->close();
    } else {
        std::fprintf(stderr, "the help window did not open\n");
        shot = false;
    }
    return shot ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <output folder> [scale]\n", argv[0]);
        return 2;
    }
    const int scale = argc == 3 ? std::atoi(argv[2]) : 1;
    if (scale < 1 || scale > 4) {
        std::fprintf(stderr, "scale must be 1 to 4\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    QApplication application(argc, argv);
    const std::unique_ptr<qmv::Translation> translation =
        qmv::useProcessLanguage(argc, argv, QCoreApplication::applicationDirPath());
    return run(QString::fromLocal8Bit(argv[1]), scale);
}
