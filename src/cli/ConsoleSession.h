#pragma once

#include "Dialogs.h"
#include "LinkLibrary.h"
#include "RemoteLink.h"
#include "RemoteLoader.h"

#include <memory>
#include <optional>
#include <string>

namespace qmv::cli {

// Messages of the tool printed to the terminal. A terminal has nobody to press Retry, so every
// question is answered with its cautious button.
class ConsoleDialogs : public Dialogs {
public:
    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) override;
    void plainMessage(const std::string& text) override;
};

// The link library loaded from the program's folder and the remote identified and loaded,
// exactly as the window does at start-up.
class ConsoleSession {
public:
    // Prints the reason and returns false when the remote cannot be used.
    bool open();

    const RemoteLink& link() const { return *m_link; }
    const LoadedRemote& remote() const { return *m_remote; }
    ConsoleDialogs& dialogs() { return m_dialogs; }

private:
    ConsoleDialogs m_dialogs;
    std::unique_ptr<LinkLibrary> m_library;
    std::unique_ptr<RemoteLink> m_link;
    std::optional<LoadedRemote> m_remote;
};

} // namespace qmv::cli
