#pragma once

#include <QThread>
#include <QUrl>

#include <atomic>
#include <chrono>

namespace qmv {

// The connection check: asks the web site root once over HTTP. Any answer from the server counts
// as reachable; no answer within the time-out, a refused connection or an unknown host does not.
// After a success the thread holds on for a while, so the connecting animation stays on screen.
// Interruption (the window going away) cuts both the request and the hold short.
class testnet : public QThread
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds successHold{2000};

    testnet(const QUrl& siteRoot, std::chrono::milliseconds timeout, QObject* parent = nullptr);
    ~testnet() override;

    // The outcome; read it once the thread has finished.
    bool netlinkok() const { return m_netlinkok; }

protected:
    void run() override;

private:
    bool reachable();
    void hold();

    QUrl m_siteRoot;
    std::chrono::milliseconds m_timeout;
    std::atomic<bool> m_netlinkok{false};
};

} // namespace qmv
