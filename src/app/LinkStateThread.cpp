#include "LinkStateThread.h"

#include "MainWindow.h"
#include "RemoteLink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <utility>

namespace qmv {

namespace {
// How often a watcher being destroyed lets a window effect it is waiting for through.
constexpr std::chrono::milliseconds teardownSlice{10};
} // namespace

// The thread's view of a cycle's effects: the link is called here; the window is reached through
// its side of the watcher on the user-interface thread, and the thread waits for the result.
class linkstate::Effects : public LinkCheckEffects
{
public:
    explicit Effects(linkstate& thread)
        : m_thread(thread)
    {
    }

    bool linkState() override { return m_thread.m_link.linkState(); }
    std::string basicInfo() override { return m_thread.m_link.basicInfo(); }
    void pause() override { m_thread.pause(); }

    void setKeypadAvailable(bool available) override
    {
        LinkStateHost& side = m_thread.m_windowSide;
        QMetaObject::invokeMethod(
            &side, [&side, available] { side.setKeypadAvailable(available); }, Qt::BlockingQueuedConnection);
    }

    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) override
    {
        LinkStateHost& side = m_thread.m_windowSide;
        Reply reply = Reply::Retry;
        QMetaObject::invokeMethod(
            &side, [&] { reply = side.messageBox(text, caption, buttons); }, Qt::BlockingQueuedConnection);
        return reply;
    }

private:
    linkstate& m_thread;
};

linkstate::linkstate(const RemoteLink& link, std::string remoteid, std::chrono::milliseconds period,
                     LinkStateHost& windowSide)
    : m_link(link)
    , m_remoteid(std::move(remoteid))
    , m_period(period)
    , m_windowSide(windowSide)
{
}

linkstate::~linkstate()
{
    requestEnd();
    wait();
}

void linkstate::requestEnd()
{
    {
        const std::lock_guard lock(m_pauseMutex);
        requestInterruption();
    }
    m_wake.notify_all();
}

void linkstate::run()
{
    LinkCheckCycle watch(m_remoteid);
    Effects effects(*this);
    while (!isInterruptionRequested() && watch.cycle(effects)) {
    }
}

void linkstate::pause()
{
    std::unique_lock lock(m_pauseMutex);
    m_wake.wait_for(lock, m_period, [this] { return isInterruptionRequested(); });
}

LinkStateHost::LinkStateHost(MainWindow& window, const RemoteLink& link, Dialogs& dialogs,
                             std::string remoteid, std::chrono::milliseconds period)
    : QObject(&window)
    , m_window(window)
    , m_link(link)
    , m_dialogs(dialogs)
    , m_remoteid(std::move(remoteid))
    , m_period(period)
{
    connect(&window, &MainWindow::showStarted, this, &LinkStateHost::start);
    connect(&window, &MainWindow::closingStarted, this, &LinkStateHost::requestEnd);
}

// The thread may be blocked on a window effect posted to this object, which only this thread can
// run; the effects are let through (they do nothing once the end is requested) until it is gone.
// Its end is not handled: the window is going away already.
LinkStateHost::~LinkStateHost()
{
    requestEnd();
    const std::unique_ptr<linkstate> ending = std::move(m_thread);
    if (!ending)
        return;
    while (!ending->wait(QDeadlineTimer(teardownSlice)))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void LinkStateHost::start()
{
    if (m_thread)
        return;
    m_endRequested = false;
    m_thread = std::make_unique<linkstate>(m_link, m_remoteid, m_period, *this);
    connect(m_thread.get(), &QThread::finished, this, &LinkStateHost::threadEnded);
    m_thread->start();
}

void LinkStateHost::requestEnd()
{
    if (!m_thread)
        return;
    m_endRequested = true;
    m_thread->requestEnd();
}

void LinkStateHost::setKeypadAvailable(bool available)
{
    if (!m_endRequested)
        m_window.setKeypadAvailable(available);
}

// Once the window is closing it asks for no remote any more; the unasked question goes on to the
// thread's end check.
Reply LinkStateHost::messageBox(const std::string& text, const std::string& caption, Buttons buttons)
{
    if (m_endRequested)
        return Reply::Retry;
    return m_dialogs.messageBox(text, caption, buttons);
}

// A watcher that ended because the window is closing must not ask it to close a second time.
void LinkStateHost::threadEnded()
{
    if (!m_thread)
        return;
    m_thread->wait();
    m_thread.reset();
    if (!m_window.state().closing)
        m_window.close();
    emit watcherEnded();
}

} // namespace qmv
