#pragma once

#include "Dialogs.h"
#include "ImageModel.h"
#include "Text.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qmv {

class RemoteLink;

inline constexpr const char* makerWebSite = "www.qmv718-remote.example";
inline constexpr const char* noRemoteMessage =
    QT_TRANSLATE_NOOP("qmv::RemoteLoader", "未检测到遥控器，请检查USB连接线");
inline constexpr const char* firmwareLabel = " 2.0";
inline constexpr const char* modelLabel = "QMV-718";

// What start-up learns of the attached remote.
struct LoadedRemote
{
    std::string remoteid;    // the first 30 characters of the basic information
    std::string lab_gjbb;    // firmware label, set before the checks
    std::string lab_ykqtype; // model label, set once the model and firmware pass
    ImageSnapshot snapshot;  // the memory tables
    // Why the tables must not be used; never empty for the window, which refuses such a remote.
    std::vector<std::string> layoutProblems;
};

// Waits for the remote, checks its version, model and firmware, and reads its memory tables,
// with exactly the link calls start-up has always made. Every question and message goes through
// Dialogs; on any failure the message has been shown and the result is empty.
class RemoteLoader
{
public:
    RemoteLoader(const RemoteLink& link, Dialogs& dialogs, std::function<void()> processEvents = {});

    std::optional<LoadedRemote> load();

    // Runs once the remote is identified and before its tables are read, so that a writer takes
    // its hold (see WriterHold) before it copies them. A non-empty answer is a refusal: the load
    // ends with it as its message.
    void setBeforeTables(std::function<std::string(const std::string& remoteid)> check)
    {
        m_beforeTables = std::move(check);
    }

    // Loads a remote whose tables could be read but are laid out unsoundly instead of refusing it,
    // for a check that reports what is wrong (LoadedRemote::layoutProblems); it must not write.
    void setLenient(bool lenient) { m_lenient = lenient; }
    // Loads a remote whose only unsound part is slots running past the data area, for the repair
    // that mends them (see slotRangeProblems).
    void setMendable(bool mendable) { m_mendable = mendable; }

    // The labels, even after a failure (the firmware label is set before the checks).
    const std::string& firmwareLabelShown() const { return m_firmwareLabel; }
    // The message that ended a failed load (empty when the user cancelled the wait).
    const std::string& failure() const { return m_failure; }

private:
    bool waitForRemote();
    bool checkVersion();
    std::optional<std::string> checkBasicInfo();
    bool readLayout(ImageLayout& layout);
    bool readTables(ImageSnapshot& snapshot);
    void fail(const std::string& text, bool plain);
    void badImage(const std::string& detail);
    // A read of the remote's memory; a failed one means the link was lost, which ends the load
    // with that message (never one about the remote's memory or model, which were not read).
    std::optional<std::string> read(std::uint16_t address, int units, std::size_t bufferSize);
    void linkLost();

    const RemoteLink& m_link;
    Dialogs& m_dialogs;
    std::function<void()> m_processEvents;
    std::function<std::string(const std::string&)> m_beforeTables;
    bool m_lenient = false;
    bool m_mendable = false;
    std::string m_firmwareLabel;
    std::string m_failure;
};

// The check of the model and firmware versions, first match wins. Empty when supported.
std::string compatibilityMessage(const std::string& model, int major, int minor);

} // namespace qmv
