#include "RemoteControl.h"

#include "CaptureSignal.h"
#include "FactoryImage.h"
#include "HexText.h"
#include "VirtualRemote.h"

namespace qmv::remote {

RemoteControl::RemoteControl(StateFolder folder)
    : m_folder(std::move(folder))
{
}

void RemoteControl::printStatus(std::ostream& out) const
{
    std::string problem;
    const auto image = loadOrCreateImage(m_folder, &problem);
    out << "state folder: " << m_folder.path().string() << '\n'
        << "cable:        " << (m_folder.plugged() ? "plugged" : "unplugged") << '\n'
        << "identity:     "
        << (image ? hex::encode(image->data() + layout::basicInfo, layout::identitySize)
                  : "broken image: " + problem)
        << '\n'
        << "demo mode:    " << (m_folder.demoEnabled() ? "on" : "off") << '\n'
        << "inbox:        " << m_folder.inboxCount() << " code(s) waiting\n"
        << "latency:      " << m_folder.latencyMillis() << " ms per call\n"
        << "faults:       next " << m_folder.faultCount("fail-writes") << " write(s) fail, link drops for "
        << m_folder.faultCount("drop-link") << " call(s)\n";
}

void RemoteControl::plug(bool plugged) const
{
    m_folder.setPlugged(plugged);
}

bool RemoteControl::send(const std::string& file, std::string* error) const
{
    const auto content = readCodeFile(file, error);
    if (!content)
        return false;
    // Refuse here what the receiver could not take, so the sender learns why at once.
    if (!isCaptureText(*content) && !parseTimings(*content, error))
        return false;
    m_folder.deliverToInbox(*content);
    return true;
}

bool RemoteControl::reset(std::string* error, std::filesystem::path* keptCopy) const
{
    if (!resetImage(m_folder, keptCopy)) {
        *error = "cannot replace " + m_folder.imagePath().string();
        return false;
    }
    return true;
}

void RemoteControl::setDemo(bool enabled) const
{
    m_folder.setDemoEnabled(enabled);
}

bool RemoteControl::setFault(const std::string& kind, int count, std::string* error) const
{
    if (kind == "writes")
        m_folder.setFaultCount("fail-writes", count);
    else if (kind == "link")
        m_folder.setFaultCount("drop-link", count);
    else {
        *error = "unknown fault '" + kind + "' (writes or link)";
        return false;
    }
    return true;
}

void RemoteControl::setLatency(int millis) const
{
    m_folder.setLatencyMillis(millis);
}

} // namespace qmv::remote
