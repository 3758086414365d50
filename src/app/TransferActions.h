#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class QDialog;
class QMenu;
class QToolButton;

namespace qmv {

class Dialogs;
class IBtn;
class LearningSession;
class MainWindow;
class RemoteLink;
namespace transfer {
struct SignalFile;
struct StoreOutcome;
} // namespace transfer

// The remote the window works on, as backups record it.
struct RemoteIdentity
{
    std::string model;
    std::string firmware;
    std::string remoteid;
};

// Codes in and out of the remote from the window: what a key holds (its hint on hover and focus,
// and its signal view), learning a key from a file, importing a device, exporting an area, backing
// up and restoring. The actions sit in each key's context menu and behind one menu button beside
// the help and update buttons; everything they store goes through the window's own memory image,
// and the keys are refreshed after.
class TransferActions : public QObject
{
    Q_OBJECT
public:
    // Shows a dialog and returns its result; dialogs run modal unless a test says otherwise.
    using RunDialog = std::function<int(QDialog&)>;
    // The file to read (save false) or write (save true); empty when the user cancelled.
    using ChooseFile = std::function<QString(const QString& title, const QString& filter, bool save)>;

    TransferActions(MainWindow& window, const RemoteLink& link, Dialogs& dialogs, LearningSession& session,
                    RemoteIdentity remote);

    void setDialogRunner(RunDialog run) { m_runDialog = std::move(run); }
    void setFileChooser(ChooseFile choose) { m_chooseFile = std::move(choose); }

    QToolButton* menuButton() const { return m_menuButton; }
    // The context menu of a keypad key, as it would open now.
    QMenu* keyMenu(IBtn& key);

    // What the key holds in the current area, as its hint shows it.
    QString keyDescription(const std::string& keyCode) const;

    void showSignal(const std::string& keyCode);
    void learnFromFile(const std::string& keyCode);
    void importDevice();
    void exportArea();
    void backup();
    void restore();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installOnKeys();
    void buildMenuButton();
    bool refusedWhileBusy();
    void refreshWindow();
    void report(const transfer::StoreOutcome& outcome, const std::string& done);
    void message(const std::string& text);
    std::optional<std::string> chooseAndRead(const QString& title, const QString& filter);
    std::optional<transfer::SignalFile> chooseSignalFile(const QString& title);
    int currentArea() const;
    std::string keyLabel(const std::string& keyCode) const;

    MainWindow& m_window;
    const RemoteLink& m_link;
    Dialogs& m_dialogs;
    LearningSession& m_session;
    RemoteIdentity m_remote;
    RunDialog m_runDialog;
    ChooseFile m_chooseFile;
    QToolButton* m_menuButton = nullptr;
};

} // namespace qmv
