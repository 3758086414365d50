#include "UpdateRun.h"

#include "ContentCheck.h"
#include "DownloadCheck.h"
#include "HttpClient.h"
#include "LibraryInstaller.h"
#include "LibraryName.h"
#include "UpdateListFetch.h"
#include "UpdateTexts.h"

#include <QDir>
#include <QTimer>
#include <QUrl>

namespace qmv {

UpdateRun::UpdateRun(const QString& folder, HttpClient& client, ContentCheck& check, QObject* parent)
    : QObject(parent)
    , m_folder(folder)
    , m_client(client)
    , m_check(check)
{
    connect(&m_client, &HttpClient::finished, this, [this](const Failure& failure) {
        if (m_step == Step::Transfer)
            onTransferFinished(failure);
    });
    connect(&m_check, &ContentCheck::finished, this, &UpdateRun::onCheckFinished);
}

QString UpdateRun::downloadPath(const QString& folder, const QString& name)
{
    return QDir(UpdateListFetch::updateFolder(folder)).filePath(libraryFileName(name));
}

QString UpdateRun::installedPath() const
{
    return QDir(m_folder).filePath(libraryFileName(m_libraries[m_index].name));
}

void UpdateRun::start(const QString& serverUrl, const QList<PendingLibrary>& libraries)
{
    if (running())
        return;
    m_serverUrl = serverUrl;
    m_libraries = libraries;
    m_installed = false;
    m_cancelled = false;
    m_index = -1;
    startNext();
}

void UpdateRun::breakOff()
{
    if (m_step == Step::Transfer)
        m_client.abort();
    else if (m_step != Step::Idle)
        m_check.cancel();
}

void UpdateRun::cancel()
{
    if (!running())
        return;
    m_cancelled = true;
    breakOff();
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
        emit finished(m_installed);
        return;
    }
    const PendingLibrary& library = m_libraries[m_index];
    emit libraryStarted(m_index);
    if (library.refused || !isSafeLibraryName(library.name)) {
        finishLibrary({UpdateFailure::RefusedName, library.name});
        return;
    }
    if (const Failure refusal = admitDownload(m_folder, library.name, library.size, m_freeSpace);
        refusal.failed()) {
        finishLibrary(refusal);
        return;
    }
    QDir().mkpath(UpdateListFetch::updateFolder(m_folder));
    m_download.setFileName(downloadPath(m_folder, library.name));
    if (!m_download.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        finishLibrary({UpdateFailure::NotWritable,
                       m_download.fileName() + QStringLiteral(" ") + m_download.errorString()});
        return;
    }
    m_step = Step::Transfer;
    m_client.get(QUrl(m_serverUrl + libraryFileName(library.name)), &m_download, library.size);
}

void UpdateRun::onTransferFinished(const Failure& failure)
{
    m_download.close();
    if (failure.failed()) {
        reject(failure);
        return;
    }
    const PendingLibrary& library = m_libraries[m_index];
    const qint64 received = QFile(m_download.fileName()).size();
    switch (checkDownload(m_download.fileName(), library.size, library.sha256)) {
    case DownloadVerdict::Complete:
        break;
    case DownloadVerdict::WrongChecksum:
        reject({UpdateFailure::HashMismatch, {}});
        return;
    case DownloadVerdict::Missing:
    case DownloadVerdict::WrongSize:
        reject({UpdateFailure::WrongSize, QString::fromStdString(updatetext::shown(updatetext::sizeReceived))
                                              .arg(library.size)
                                              .arg(received)});
        return;
    }
    m_step = Step::CheckDownload;
    m_check.start(m_download.fileName());
}

void UpdateRun::onCheckFinished(const Failure& failure)
{
    switch (m_step) {
    case Step::CheckDownload:
        if (failure.failed()) {
            reject(failure);
        } else if (QFile::exists(installedPath())) {
            // Whether the installed library may become the backup.
            m_step = Step::CheckInstalled;
            m_check.start(installedPath());
        } else {
            install(false);
        }
        return;
    case Step::CheckInstalled:
        if (failure.reason == UpdateFailure::Cancelled)
            reject(failure);
        else
            install(!failure.failed());
        return;
    case Step::Idle:
    case Step::Transfer:
        return;
    }
}

void UpdateRun::install(bool backUpInstalled)
{
    QString error;
    const bool installed = LibraryInstaller(m_folder).install(
        m_download.fileName(), libraryFileName(m_libraries[m_index].name), backUpInstalled, &error);
    m_installed = m_installed || installed;
    finishLibrary(installed ? Failure{} : Failure{UpdateFailure::NotWritable, error});
}

void UpdateRun::reject(Failure failure)
{
    const QString kept = LibraryInstaller::reject(m_download.fileName());
    if (!kept.isEmpty()) {
        const QString where = QString::fromStdString(updatetext::shown(updatetext::rejectedKept)).arg(kept);
        failure.detail = failure.detail.isEmpty()
                             ? where
                             : QString::fromStdString(updatetext::shown(updatetext::twoDetails))
                                   .arg(failure.detail, where);
    }
    finishLibrary(failure);
}

void UpdateRun::finishLibrary(const Failure& failure)
{
    m_step = Step::Idle;
    emit libraryFinished(m_index, failure);
    // The next transfer starts from the event loop, not from inside the last one's notification.
    QTimer::singleShot(0, this, &UpdateRun::startNext);
}

} // namespace qmv
