#pragma once

#include "PendingList.h"

#include <QFile>
#include <QList>
#include <QObject>
#include <QString>

namespace qmv {

class HttpClient;

enum class LibraryOutcome {
    Installed,
    Refused,       // the list's name is not a plain file name
    NotWritable,   // the download file could not be created
    WrongSize,     // the download is shorter or longer than announced (a break-off, a failed transfer)
    WrongChecksum, // the download's SHA-256 differs from the list's
    InstallFailed, // the checked download could not be put in place
};

// Downloads the pending libraries one after the other from a server into the update folder,
// checks each against the list and installs the complete ones. A transfer that fails or is broken
// off does not stop the run: its library fails the check and the next one follows.
class UpdateRun : public QObject
{
    Q_OBJECT
public:
    UpdateRun(const QString& folder, HttpClient& client, QObject* parent = nullptr);

    // The library's file name is appended to `serverUrl` unchanged.
    void start(const QString& serverUrl, const QList<PendingLibrary>& libraries);
    // Breaks off the transfer in progress and starts no further library; `finished` does not come.
    void cancel();
    bool running() const { return m_index >= 0 && !m_cancelled; }
    // Whether this run made a download file for at least one library so far.
    bool downloaded() const { return m_downloaded; }

    static QString downloadPath(const QString& folder, const QString& name);

signals:
    void libraryStarted(int index);
    void libraryFinished(int index, qmv::LibraryOutcome outcome, const QString& detail);
    // `downloaded`: whether a download file was made for at least one library.
    void finished(bool downloaded);

private:
    void startNext();
    void onTransferFinished();
    void finishLibrary(LibraryOutcome outcome, const QString& detail = {});

    QString m_folder;
    HttpClient& m_client;
    QString m_serverUrl;
    QList<PendingLibrary> m_libraries;
    int m_index = -1;
    QFile m_download;
    bool m_downloaded = false;
    bool m_cancelled = false;
};

} // namespace qmv
