#pragma once

#include "DownloadAdmission.h"
#include "PendingList.h"
#include "UpdateFailure.h"

#include <QFile>
#include <QList>
#include <QObject>
#include <QString>

namespace qmv {

class ContentCheck;
class HttpClient;

// Downloads the pending libraries one after the other from a server into the update folder and
// installs only what passes every check. Before the request: a file the program uses, announced
// within its kind's largest size, with room on disk (DownloadAdmission). After it: an answer of 200
// without error, exactly the announced size (never a byte more is written), the list's SHA-256
// where it gives one, and the verifier's look at the content, which reads the file and runs none
// of it. A download that fails is kept, cut short, under its rejected name and the installed
// library is left alone.
// The installed library becomes the backup only when it passes the verifier too, so the backup is
// always the last good copy. A failure of one library does not stop the run: the next follows.
class UpdateRun : public QObject
{
    Q_OBJECT
public:
    UpdateRun(const QString& folder, HttpClient& client, ContentCheck& check, QObject* parent = nullptr);

    // The library's file name is appended to `serverUrl` unchanged.
    void start(const QString& serverUrl, const QList<PendingLibrary>& libraries);
    // Breaks off the current library (its transfer or its check); the run goes on with the next.
    void breakOff();
    // Breaks off the current library and starts no further one; `finished` does not come.
    void cancel();
    bool running() const { return m_index >= 0 && !m_cancelled; }
    // Whether this run installed at least one library so far.
    bool installed() const { return m_installed; }
    // Where the free space is asked; the file system's own answer by default.
    void setFreeSpace(FreeSpace freeSpace) { m_freeSpace = std::move(freeSpace); }

    static QString downloadPath(const QString& folder, const QString& name);

signals:
    void libraryStarted(int index);
    // No failure when the library was installed.
    void libraryFinished(int index, const qmv::Failure& failure);
    // `installed`: whether at least one library was installed.
    void finished(bool installed);

private:
    enum class Step { Idle, Transfer, CheckDownload, CheckInstalled };

    void startNext();
    void onTransferFinished(const Failure& failure);
    void onCheckFinished(const Failure& failure);
    void install(bool backUpInstalled);
    void reject(Failure failure);
    void finishLibrary(const Failure& failure);
    QString installedPath() const;

    QString m_folder;
    HttpClient& m_client;
    ContentCheck& m_check;
    QString m_serverUrl;
    QList<PendingLibrary> m_libraries;
    int m_index = -1;
    Step m_step = Step::Idle;
    QFile m_download;
    FreeSpace m_freeSpace = freeSpaceOf;
    bool m_installed = false;
    bool m_cancelled = false;
};

} // namespace qmv
