#pragma once

#include "LinkFunctions.h"
#include "SharedLibrary.h"

#include <memory>
#include <string>

namespace qmv {

namespace bridge {
class BridgeConnection;
}

// The link library "tavrio.dll" loaded from a folder, with all seven operations resolved.
class LinkLibrary
{
public:
    static constexpr const char* fileName = "tavrio.dll";

    // Loads the library from the folder (the program's own, normally): into this process, or,
    // when it is built for the other word size, into the link bridge, whose operations then stand
    // in for the library's. On failure returns null and sets `error` to a message for the user
    // naming what is missing.
    static std::unique_ptr<LinkLibrary> load(const std::string& folder, std::string* error);
    // Loads the library into this process only (the bridge's own way of loading it).
    static std::unique_ptr<LinkLibrary> loadDirect(const std::string& folder, std::string* error);

    ~LinkLibrary();
    LinkLibrary(const LinkLibrary&) = delete;
    LinkLibrary& operator=(const LinkLibrary&) = delete;

    const LinkFunctions& functions() const { return m_functions; }
    bool bridged() const { return m_bridge != nullptr; }

private:
    LinkLibrary() = default;
    static std::unique_ptr<LinkLibrary> loadThroughBridge(const std::string& folder, std::string* error);

    std::unique_ptr<SharedLibrary> m_library;
    std::shared_ptr<bridge::BridgeConnection> m_bridge;
    LinkFunctions m_functions;
};

} // namespace qmv
