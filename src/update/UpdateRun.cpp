#include "UpdateRun.h"

#include "DownloadCheck.h"
#include "HttpClient.h"
#include "LibraryInstaller.h"
#include "LibraryName.h"
#include "UpdateListFetch.h"

#include <QDir>
#include <QTimer>
#include <QUrl>

namespace qmv {

UpdateRun::UpdateRun(const QString& folder, HttpClient& client, QObject* parent)
    : QObject(parent)
    , m_folder(folder)
    , m_client(client)
{
    connect(&m_client, &HttpClient::finished, this, [this] {
        if (m_download.isOpen())
            onTransferFinished();
    });
}

QString UpdateRun::downloadPath(const QString& folder, const QString& name)
{
    return QDir(UpdateListFetch::updateFolder(folder)).filePath(libraryFileName(name));
}

void UpdateRun::start(const QString& serverUrl, const QList<PendingLibrary>& libraries)
{
    if (running())
        return;
    m_serverUrl = serverUrl;
    m_libraries = libraries;
    m_downloaded = false;
    m_cancelled = false;
    m_index = -1;
    startNext();
}

void UpdateRun::cancel()
{
    if (!running())
        return;
    m_cancelled = true;
    m_client.abort();
}

void UpdateRun::startNext()
{
    if (m_cancelled) {
        m_index = -1;
        return;
    }
    ++m_index;
    if (m_index >= m_libraries.size()) {
        m_index = -1;
        emit finished(m_downloaded);
        return;
    }
    const PendingLibrary& library = m_libraries[m_index];
    emit libraryStarted(m_index);
    if (library.refused || !isSafeLibraryName(library.name)) {
        finishLibrary(LibraryOutcome::Refused);
        return;
    }
    QDir().mkpath(UpdateListFetch::updateFolder(m_folder));
    m_download.setFileName(downloadPath(m_folder, library.name));
    if (!m_download.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        finishLibrary(LibraryOutcome::NotWritable, m_download.errorString());
        return;
    }
    m_downloaded = true;
    m_client.get(QUrl(m_serverUrl + libraryFileName(library.name)), &m_download);
}

void UpdateRun::onTransferFinished()
{
    m_download.close();
    if (m_cancelled) {
        m_index = -1;
        return;
    }
    const PendingLibrary& library = m_libraries[m_index];
    switch (checkDownload(m_download.fileName(), library.size, library.sha256)) {
    case DownloadVerdict::Complete:
        break;
    case DownloadVerdict::WrongChecksum:
        finishLibrary(LibraryOutcome::WrongChecksum);
        return;
    case DownloadVerdict::Missing:
    case DownloadVerdict::WrongSize:
        finishLibrary(LibraryOutcome::WrongSize, QString::number(QFile(m_download.fileName()).size()));
        return;
    }
    QString error;
    const bool installed =
        LibraryInstaller(m_folder).install(m_download.fileName(), libraryFileName(library.name), &error);
    finishLibrary(installed ? LibraryOutcome::Installed : LibraryOutcome::InstallFailed, error);
}

void UpdateRun::finishLibrary(LibraryOutcome outcome, const QString& detail)
{
    emit libraryFinished(m_index, outcome, detail);
    // The next transfer starts from the event loop, not from inside the last one's notification.
    QTimer::singleShot(0, this, &UpdateRun::startNext);
}

} // namespace qmv
