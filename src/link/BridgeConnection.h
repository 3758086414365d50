#pragma once

#include "BridgeProcess.h"
#include "BridgeProtocol.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace qmv::bridge {

// A running link bridge that has loaded one of the maker's libraries. Calls from several threads
// take turns: one request and its reply at a time. Once the bridge has ended (or broken the
// protocol) every call fails, as calls to a library whose device is gone do.
class BridgeConnection
{
public:
    // Starts the bridge program, agrees on the protocol and has it load the library from the
    // folder. On failure returns null and sets `error` to the reason, for the user.
    static std::shared_ptr<BridgeConnection> open(const std::string& program, Library library,
                                                  const std::string& folder, std::string* error);

    // The same for the bridge program in the program's folder; `error` is optional here.
    static std::shared_ptr<BridgeConnection> openBeside(Library library, const std::string& folder,
                                                        std::string* error);

    // The reply to a request, or nothing once the bridge is gone.
    std::optional<std::string> call(const MessageWriter& request);
    bool ended() const;

private:
    explicit BridgeConnection(std::unique_ptr<BridgeProcess> process);
    std::optional<std::string> exchange(const MessageWriter& request);

    mutable std::mutex m_mutex;
    std::unique_ptr<BridgeProcess> m_process;
    bool m_ended = false;
};

// The path of the bridge program in the program's folder.
std::string bridgeProgramPath();

// Whether the library at `path` must be reached through the bridge: it is built for the other
// word size, or $QMV718_LINK_BRIDGE is "always" (to run the bridge where both sizes are the same).
bool bridgeWanted(const std::string& libraryPath);

} // namespace qmv::bridge
