#pragma once

#include "UpdateList.h"

#include <QBuffer>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

namespace qmv {

class HttpClient;

// Fetches the update list into the program's update folder and reads it back: the folder is
// created when missing, the old list removed, the answer stored with a line break after it.
class UpdateListFetch : public QObject
{
    Q_OBJECT
public:
    UpdateListFetch(const QString& folder, HttpClient& client, QObject* parent = nullptr);

    static QString updateFolder(const QString& folder);
    static QString storedListPath(const QString& folder);

    void start(const QUrl& listUrl);
    // The list of the last successful fetch.
    const std::optional<UpdateList>& list() const { return m_list; }

signals:
    void finished(bool succeeded);

private:
    void onTransferFinished(bool succeeded);
    bool store(const QByteArray& body) const;

    QString m_folder;
    HttpClient& m_client;
    QBuffer m_body;
    std::optional<UpdateList> m_list;
    bool m_running = false;
};

} // namespace qmv
