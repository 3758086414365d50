#pragma once

#include "UpdateFailure.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <chrono>

namespace qmv {

// Asks the verifier (qmv718-verify, beside the program) whether a file is what its name says it
// is. The verifier only reads the file, but it decodes pictures from it, so it runs as a process of
// its own: a decoder that crashes or hangs on a hostile file costs that process only. A verifier
// that cannot be started, crashes or takes too long counts as a failed check.
class ContentCheck : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultTimeout{30000};

    explicit ContentCheck(QObject* parent = nullptr);
    ContentCheck(const QString& verifier, std::chrono::milliseconds timeout, QObject* parent = nullptr);
    ~ContentCheck() override;

    // The verifier beside the running program.
    static QString defaultVerifier();

    // Starts checking `file`; `finished` follows from the event loop.
    void start(const QString& file);
    // Stops a check in progress, which then finishes as cancelled.
    void cancel();
    bool running() const { return m_process.state() != QProcess::NotRunning; }

    // Checks `file` and waits for the answer.
    Failure checkNow(const QString& file);

signals:
    void finished(const qmv::Failure& failure);

private:
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void conclude(const Failure& failure);

    QString m_verifier;
    std::chrono::milliseconds m_timeout;
    QProcess m_process;
    QTimer m_timer;
    Failure m_stopped;
    bool m_active = false;
};

} // namespace qmv
