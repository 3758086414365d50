#include "RemoteControl.h"

#include "CaptureSignal.h"
#include "FactoryImage.h"
#include "HexText.h"
#include "VirtualRemote.h"

namespace qmv::remote {

namespace {

// A change that could not be written leaves the remote as it was; the caller must say so.
bool written(bool ok, const StateFolder& folder, std::string* error)
{
    if (!ok)
        *error = "the remote's state in " + folder.path().string() +
                 " cannot be written (a read-only folder?); nothing was changed";
    return ok;
}

} // namespace

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

bool RemoteControl::plug(bool plugged, std::string* error) const
{
    return written(m_folder.setPlugged(plugged), m_folder, error);
}

bool RemoteControl::send(const std::string& file, std::string* error) const
{
    const auto content = readCodeFile(file, error);
    if (!content)
        return false;
    // Refuse here what the receiver could not take, so the sender learns why at once.
    if (!isCaptureText(*content) && !parseTimings(*content, error))
        return false;
    return written(m_folder.deliverToInbox(*content), m_folder, error);
}

bool RemoteControl::reset(std::string* error, std::filesystem::path* keptCopy) const
{
    if (!resetImage(m_folder, keptCopy)) {
        *error = "cannot replace " + m_folder.imagePath().string();
        return false;
    }
    return true;
}

bool RemoteControl::setDemo(bool enabled, std::string* error) const
{
    return written(m_folder.setDemoEnabled(enabled), m_folder, error);
}

bool RemoteControl::setFault(const std::string& kind, int count, std::string* error) const
{
    if (kind == "writes")
        return written(m_folder.setFaultCount("fail-writes", count), m_folder, error);
    if (kind == "link")
        return written(m_folder.setFaultCount("drop-link", count), m_folder, error);
    *error = "unknown fault '" + kind + "' (writes or link)";
    return false;
}

bool RemoteControl::setLatency(int millis, std::string* error) const
{
    return written(m_folder.setLatencyMillis(millis), m_folder, error);
}

} // namespace qmv::remote
