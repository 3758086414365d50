#include "LinkCheckCycle.h"

#include <utility>

namespace qmv {

LinkCheckCycle::LinkCheckCycle(std::string remoteid)
    : m_remoteid(std::move(remoteid))
{
}

bool LinkCheckCycle::cycle(LinkCheckEffects& effects)
{
    if (effects.linkState()) {
        m_lost = false;
        if (m_waiting && !sameRemote(effects.basicInfo()))
            return false;
    } else {
        m_lost = true;
    }

    effects.pause();

    if (m_lost) {
        effects.setKeypadAvailable(false);
        m_waiting = true;
        if (!askToReconnect(effects))
            return false;
        // Without an identity no remote that comes back could ever be accepted.
        if (m_remoteid.empty())
            return false;
    }
    if (m_waiting && !m_lost) {
        m_waiting = false;
        effects.setKeypadAvailable(true);
    }
    return true;
}

// A failed read gives an empty text, which never matches.
bool LinkCheckCycle::sameRemote(const std::string& basicInfo) const
{
    return basicInfo.substr(0, identityLength) == m_remoteid;
}

// False when the user gives up on the remote.
bool LinkCheckCycle::askToReconnect(LinkCheckEffects& effects) const
{
    if (proceeds(effects.messageBox(translate("qmv::LinkWatcher", reconnectQuestion), hintCaption,
                                    Buttons::RetryCancel)))
        return true;
    return !proceeds(effects.messageBox(translate("qmv::LinkWatcher", closeProgramQuestion), hintCaption,
                                        Buttons::OkCancel));
}

} // namespace qmv
