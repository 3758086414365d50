#pragma once

#include "Dialogs.h"
#include "LinkCheckCycle.h"

#include <QObject>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

namespace qmv {

class MainWindow;
class RemoteLink;

class LinkStateHost;

// The watching thread. Its pause wakes early when the end is requested, so a closing window never
// waits a whole period for it; the window's effects go through the LinkStateHost that started it.
class linkstate : public QThread
{
    Q_OBJECT
public:
    linkstate(const RemoteLink& link, std::string remoteid, std::chrono::milliseconds period,
              LinkStateHost& windowSide);
    ~linkstate() override;

    // Ends the thread at its next check; a question already open is answered first.
    void requestEnd();

protected:
    void run() override;

private:
    class Effects;
    void pause();

    const RemoteLink& m_link;
    const std::string m_remoteid;
    const std::chrono::milliseconds m_period;
    LinkStateHost& m_windowSide;
    std::mutex m_pauseMutex;
    std::condition_variable m_wake;
};

// The window's side of the link watcher, living on the user-interface thread and owned by the
// window: starts a watcher when the window is shown and none runs, asks it to end when the window
// has agreed to close, carries out its effects on the window, and asks the window to close when
// the watcher ends on its own. Destroying it ends a running watcher and waits for it.
class LinkStateHost : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultPeriod{200};

    // `link` and `dialogs` must outlive the window.
    LinkStateHost(MainWindow& window, const RemoteLink& link, Dialogs& dialogs, std::string remoteid,
                  std::chrono::milliseconds period = defaultPeriod);
    ~LinkStateHost() override;

    bool isWatching() const { return m_thread != nullptr; }
    // The running watcher thread, or null.
    const linkstate* watcherThread() const { return m_thread.get(); }

    void start();
    void requestEnd();

    // The window effects of a cycle, called on the user-interface thread.
    void setKeypadAvailable(bool available);
    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons);

signals:
    // A watcher has ended and its end has been handled.
    void watcherEnded();

private:
    void threadEnded();

    MainWindow& m_window;
    const RemoteLink& m_link;
    Dialogs& m_dialogs;
    const std::string m_remoteid;
    const std::chrono::milliseconds m_period;
    std::unique_ptr<linkstate> m_thread;
    // Set once the running watcher has been asked to end: from then on it shows nothing.
    bool m_endRequested = false;
};

} // namespace qmv
