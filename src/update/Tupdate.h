#pragma once

#include "PendingList.h"
#include "UpdateList.h"
#include "UpdateSettings.h"

#include <QDialog>

#include <memory>
#include <optional>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace qmv {

class ConnectingAnimation;
class ContentCheck;
class HttpClient;
class Dialogs;
class UpdateListFetch;
class UpdateRun;
class testnet;
struct Failure;

// The update wizard: checks that the web site can be reached, fetches the update list, lets the
// user pick a server, lists the installed libraries that are older than the listed ones, and
// downloads and installs them. Its pages, from the first shown: "linkstate" (connection check and
// fetch, putting back the last good copies), "Default" (server list), "next_page" (libraries,
// progress, installation). A program folder it cannot write is reported as the wizard opens.
class Tupdate : public QDialog
{
    Q_OBJECT
public:
    // `folder` is the program's folder: the libraries installed there are the ones updated.
    // The wizard's messages go through `dialogs` when given, else through boxes of its own.
    Tupdate(const QString& folder, QWidget* parent = nullptr, Dialogs* dialogs = nullptr);
    ~Tupdate() override;

    const QString& apppath() const { return m_apppath; }
    // The chosen server's base URL once the pending list is built.
    const QString& serverurl() const { return m_serverurl; }
    const QList<PendingLibrary>& updatelist() const { return m_updatelist; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    QWidget* buildServerPage();
    QWidget* buildLibraryPage();
    QWidget* buildConnectionPage();
    void connectTransfers();

    // First show: starts the connection check.
    void FormShow();
    // The connection check has ended: shows its result.
    void netthreadTerminate();
    // "Fetch the server list" on the first page.
    void Button5Click();
    // The list fetch has ended: shows the servers, or why there are none.
    void fetchFinished(const Failure& failure);
    // "恢复上一版本": puts back the last good copies.
    void Button9Click();
    void updateRollbackButton();
    // A server picked in the server list.
    void ListBox1Click();
    // "Next" on the server page: lists the libraries that have updates.
    void Button6Click();
    // "Update" on the library page: starts the downloads.
    void Button2Click();
    // "Stop" on the library page: aborts the running transfer.
    void Button3Click();
    void libraryFinished(int index, const Failure& failure);
    void runFinished(bool installed);
    // A transfer's start, progress and end, for the progress bar.
    void IdHTTP1WorkBegin(qint64 expectedTotal);
    void IdHTTP1Work(qint64 received);
    void IdHTTP1WorkEnd();

    void setState(int row, const QString& text, const QString& detail = {});
    void hint(const QString& text);

    QString m_apppath;
    UpdateSettings m_settings;
    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs& m_dialogs;
    HttpClient* m_client;
    ContentCheck* m_check;
    UpdateListFetch* m_fetch;
    UpdateRun* m_run;
    std::unique_ptr<testnet> m_netthread;
    std::optional<UpdateList> m_updateini;
    QString m_chosenServer;
    QString m_serverurl;
    QList<PendingLibrary> m_updatelist;
    bool m_serverchosen = false;
    bool m_shown = false;

    QStackedWidget* Notebook1 = nullptr;
    QLabel* Image1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button8 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    ConnectingAnimation* ShockwaveFlash1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* labnetlink = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button9 = nullptr;
};

} // namespace qmv
