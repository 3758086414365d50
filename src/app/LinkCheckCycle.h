#pragma once

#include "Dialogs.h"

#include <string>

namespace qmv {

inline constexpr const char* reconnectQuestion =
    QT_TRANSLATE_NOOP("qmv::LinkWatcher", "未检测到遥控器，请重新连接遥控器！");
inline constexpr const char* closeProgramQuestion =
    QT_TRANSLATE_NOOP("qmv::LinkWatcher", "您需要关闭自学习软件吗！");

// Everything one watch cycle does outside itself. The link and the pause belong to the watching
// thread; the keypad and the questions belong to the window, so a threaded implementation hands
// those two to the user-interface thread and waits for them.
class LinkCheckEffects
{
public:
    virtual ~LinkCheckEffects() = default;
    virtual bool linkState() = 0;
    virtual std::string basicInfo() = 0;
    virtual void pause() = 0;
    virtual void setKeypadAvailable(bool available) = 0;
    virtual Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) = 0;
};

// The watcher's memory between cycles: whether the last poll found no remote (`lost`) and whether
// the keypad has been taken away until the remote is back (`waiting`). Plain C++, so every path
// of a cycle can be driven without a thread or a window.
class LinkCheckCycle
{
public:
    static constexpr std::size_t identityLength = 30;

    explicit LinkCheckCycle(std::string remoteid);

    // Runs one cycle; false when the watcher must end (the user gave up, or the remote that came
    // back is not the one identified at start-up).
    bool cycle(LinkCheckEffects& effects);

    bool lost() const { return m_lost; }
    bool waiting() const { return m_waiting; }

private:
    bool sameRemote(const std::string& basicInfo) const;
    bool askToReconnect(LinkCheckEffects& effects) const;

    std::string m_remoteid;
    bool m_lost = false;
    bool m_waiting = false;
};

} // namespace qmv
