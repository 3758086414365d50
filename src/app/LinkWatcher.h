#pragma once

#include "Dialogs.h"

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

inline constexpr const char* reconnectQuestion = "未检测到遥控器，请重新连接遥控器！";
inline constexpr const char* closeProgramQuestion = "您需要关闭自学习软件吗！";

// Everything one watch cycle does outside itself. The link and the pause belong to the watching
// thread; the keypad and the questions belong to the window, so a threaded implementation hands
// those two to the user-interface thread and waits for them.
class LinkWatchEffects
{
public:
    virtual ~LinkWatchEffects() = default;
    virtual bool linkState() = 0;
    virtual std::string basicInfo() = 0;
    virtual void pause() = 0;
    virtual void setKeypadAvailable(bool available) = 0;
    virtual Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) = 0;
};

// The watcher's memory between cycles: whether the last poll found no remote (`lost`) and whether
// the keypad has been taken away until the remote is back (`waiting`). Plain C++, so every path
// of a cycle can be driven without a thread or a window.
class LinkWatch
{
public:
    static constexpr std::size_t identityLength = 30;

    explicit LinkWatch(std::string remoteid);

    // Runs one cycle; false when the watcher must end (the user gave up, or the remote that came
    // back is not the one identified at start-up).
    bool cycle(LinkWatchEffects& effects);

    bool lost() const { return m_lost; }
    bool waiting() const { return m_waiting; }

private:
    bool sameRemote(const std::string& basicInfo) const;
    bool askToReconnect(LinkWatchEffects& effects) const;

    std::string m_remoteid;
    bool m_lost = false;
    bool m_waiting = false;
};

class LinkWatcher;

// The watching thread. Its pause wakes early when the end is requested, so a closing window never
// waits a whole period for it; the window's effects go through the LinkWatcher that started it.
class linkstate : public QThread
{
    Q_OBJECT
public:
    linkstate(const RemoteLink& link, std::string remoteid, std::chrono::milliseconds period,
              LinkWatcher& windowSide);
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
    LinkWatcher& m_windowSide;
    std::mutex m_pauseMutex;
    std::condition_variable m_wake;
};

// The window's side of the link watcher, living on the user-interface thread and owned by the
// window: starts a watcher when the window is shown and none runs, asks it to end when the window
// has agreed to close, carries out its effects on the window, and asks the window to close when
// the watcher ends on its own. Destroying it ends a running watcher and waits for it.
class LinkWatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultPeriod{200};

    // `link` and `dialogs` must outlive the window.
    LinkWatcher(MainWindow& window, const RemoteLink& link, Dialogs& dialogs, std::string remoteid,
                std::chrono::milliseconds period = defaultPeriod);
    ~LinkWatcher() override;

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
