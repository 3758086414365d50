#include "UpdateListFetch.h"

#include "HttpClient.h"
#include "UpdateSettings.h"

#include <QDir>
#include <QFile>

namespace qmv {

UpdateListFetch::UpdateListFetch(const QString& folder, HttpClient& client, QObject* parent)
    : QObject(parent)
    , m_folder(folder)
    , m_client(client)
{
    connect(&m_client, &HttpClient::finished, this, &UpdateListFetch::onTransferFinished);
}

QString UpdateListFetch::updateFolder(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("update"));
}

QString UpdateListFetch::storedListPath(const QString& folder)
{
    return QDir(updateFolder(folder)).filePath(QStringLiteral("update.ini"));
}

void UpdateListFetch::start(const QUrl& listUrl)
{
    m_list.reset();
    QDir().mkpath(updateFolder(m_folder));
    QFile::remove(storedListPath(m_folder));
    m_body.close();
    m_body.setData(QByteArray());
    m_body.open(QIODevice::WriteOnly);
    m_running = true;
    m_client.get(listUrl, &m_body, UpdateSettings::maxListBytes);
}

void UpdateListFetch::cancel()
{
    if (m_running)
        m_client.abort();
}

void UpdateListFetch::onTransferFinished(const Failure& failure)
{
    // The client serves the downloads too; only the transfer this object started is its own.
    if (!m_running)
        return;
    m_running = false;
    m_body.close();
    Failure outcome = failure.failed() ? failure : store(m_body.data());
    m_body.setData(QByteArray());
    if (!outcome.failed()) {
        m_list = UpdateList::readFile(storedListPath(m_folder));
        if (!m_list)
            outcome = {UpdateFailure::NotWritable, storedListPath(m_folder)};
    }
    emit finished(outcome);
}

Failure UpdateListFetch::store(const QByteArray& body) const
{
    QFile file(storedListPath(m_folder));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(body + '\n') != body.size() + 1 || !file.flush())
        return {UpdateFailure::NotWritable, file.fileName() + QStringLiteral(" ") + file.errorString()};
    return {};
}

} // namespace qmv
