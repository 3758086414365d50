#pragma once

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
// installs only what passes every check: an answer of 200 without error, the announced size (more
// than 0), the list's SHA-256 where it gives one, and the verifier's look at the content. A
// download that fails is kept under its rejected name and the installed library is left alone.
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
    // Whether this run made a download file for at least one library so far.
    bool downloaded() const { return m_downloaded; }

    static QString downloadPath(const QString& folder, const QString& name);

signals:
    void libraryStarted(int index);
    // No failure when the library was installed.
    void libraryFinished(int index, const qmv::Failure& failure);
    // `downloaded`: whether a download file was made for at least one library.
    void finished(bool downloaded);

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
    bool m_downloaded = false;
    bool m_cancelled = false;
};

} // namespace qmv
