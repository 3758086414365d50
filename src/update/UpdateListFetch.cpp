#include "UpdateListFetch.h"

#include "HttpClient.h"

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
    m_client.get(listUrl, &m_body);
}

void UpdateListFetch::onTransferFinished(bool succeeded)
{
    // The client serves the downloads too; only the transfer this object started is its own.
    if (!m_running)
        return;
    m_running = false;
    m_body.close();
    if (succeeded && store(m_body.data()))
        m_list = UpdateList::readFile(storedListPath(m_folder));
    emit finished(m_list.has_value());
}

bool UpdateListFetch::store(const QByteArray& body) const
{
    QFile file(storedListPath(m_folder));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(body + '\n') == body.size() + 1 && file.flush();
}

} // namespace qmv
