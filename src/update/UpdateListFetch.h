#pragma once

#include "UpdateFailure.h"
#include "UpdateList.h"

#include <QBuffer>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

namespace qmv {

class HttpClient;

// Fetches the update list into the program's update folder and reads it back: the folder is
// created when missing, the old list removed, the answer (at most the list's size limit) stored
// with a line break after it.
class UpdateListFetch : public QObject
{
    Q_OBJECT
public:
    UpdateListFetch(const QString& folder, HttpClient& client, QObject* parent = nullptr);

    static QString updateFolder(const QString& folder);
    static QString storedListPath(const QString& folder);

    void start(const QUrl& listUrl);
    // Breaks the fetch off; it then finishes as cancelled.
    void cancel();
    bool running() const { return m_running; }
    // The list of the last successful fetch.
    const std::optional<UpdateList>& list() const { return m_list; }

signals:
    // No failure when the list was fetched, stored and read.
    void finished(const qmv::Failure& failure);

private:
    void onTransferFinished(const Failure& failure);
    Failure store(const QByteArray& body) const;

    QString m_folder;
    HttpClient& m_client;
    QBuffer m_body;
    std::optional<UpdateList> m_list;
    bool m_running = false;
};

} // namespace qmv
