#pragma once

#include "Dialogs.h"
#include "LinkLibrary.h"
#include "MemoryImage.h"
#include "RemoteLink.h"
#include "RemoteLoader.h"
#include "SlotJournal.h"
#include "WriterHold.h"

#include <memory>
#include <optional>
#include <string>

namespace qmv::cli {

// Messages of the tool printed to the terminal. A terminal has nobody to press Retry, so every
// question is answered with its cautious button.
class ConsoleDialogs : public Dialogs
{
public:
    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) override;
    void plainMessage(const std::string& text) override;
};

// The link library loaded from the program's folder and the remote identified and loaded,
// exactly as the window does at start-up.
class ConsoleSession
{
public:
    // A command that changes the remote holds it for its whole run; one that only reads does not.
    // Inspecting reads even a remote whose tables are laid out unsoundly, to report it; repairing
    // writes to one whose only unsound part a repair can mend.
    enum class Access { Read, Inspect, Write, Repair };

    // Prints the reason and returns false when the remote cannot be used, or cannot be changed
    // because another program holds it.
    bool open(Access access = Access::Read);

    const RemoteLink& link() const { return *m_link; }
    const LoadedRemote& remote() const { return *m_remote; }
    ConsoleDialogs& dialogs() { return m_dialogs; }
    // The writer's note of a slot being taken; null unless opened for writing.
    const SlotJournal* journal() const { return m_journal ? &*m_journal : nullptr; }
    // The loaded image, ready to be changed: its slot allocations are noted in this writer's journal,
    // and its first change reads the remote's identity again.
    MemoryImage writableImage() const;

private:
    ConsoleDialogs m_dialogs;
    std::unique_ptr<LinkLibrary> m_library;
    std::unique_ptr<RemoteLink> m_link;
    std::optional<LoadedRemote> m_remote;
    std::unique_ptr<WriterHold> m_hold;
    std::optional<SlotJournal> m_journal;
};

} // namespace qmv::cli
