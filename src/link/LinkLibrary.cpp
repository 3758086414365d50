#include "LinkLibrary.h"

#include "BridgeConnection.h"
#include "BridgedFunctions.h"
#include "Text.h"

#include <utility>

namespace qmv {

namespace {

template <typename Function>
bool resolve(const SharedLibrary& library, const char* name, Function& target, std::string* missing)
{
    target = reinterpret_cast<Function>(library.symbol(name));
    if (!target && missing->empty())
        *missing = name;
    return target != nullptr;
}

} // namespace

LinkLibrary::~LinkLibrary()
{
    if (m_bridge)
        bridge::releaseBridge(m_bridge.get());
}

std::unique_ptr<LinkLibrary> LinkLibrary::load(const std::string& folder, std::string* error)
{
    if (bridge::bridgeWanted(folder + fileName))
        return loadThroughBridge(folder, error);
    return loadDirect(folder, error);
}

std::unique_ptr<LinkLibrary> LinkLibrary::loadThroughBridge(const std::string& folder, std::string* error)
{
    auto connection = bridge::BridgeConnection::openFor(bridge::Library::Link, folder, fileName, error);
    if (!connection)
        return nullptr;
    std::unique_ptr<LinkLibrary> link(new LinkLibrary);
    link->m_bridge = connection;
    link->m_functions = bridge::bridgedLinkFunctions();
    bridge::installLinkBridge(std::move(connection));
    return link;
}

std::unique_ptr<LinkLibrary> LinkLibrary::loadDirect(const std::string& folder, std::string* error)
{
    auto library = SharedLibrary::openMakers(folder, fileName,
                                             QT_TRANSLATE_NOOP("qmv::LinkLibrary", "遥控器连接库"), error);
    if (!library)
        return nullptr;

    std::unique_ptr<LinkLibrary> link(new LinkLibrary);
    link->m_library = std::move(library);
    LinkFunctions& f = link->m_functions;
    const SharedLibrary& lib = *link->m_library;
    std::string missing;
    resolve(lib, linkname::linkState, f.linkState, &missing);
    resolve(lib, linkname::readVersion, f.readVersion, &missing);
    resolve(lib, linkname::basicInfo, f.basicInfo, &missing);
    resolve(lib, linkname::readData, f.readData, &missing);
    resolve(lib, linkname::writeData, f.writeData, &missing);
    resolve(lib, linkname::setCodeCarrierWave, f.setCodeCarrierWave, &missing);
    resolve(lib, linkname::collectCodeInfo, f.collectCodeInfo, &missing);
    if (!missing.empty()) {
        if (error)
            *error = formatText(translate("qmv::LinkLibrary", "遥控器连接库 %1 缺少函数 %2！"),
                                {fileName, missing});
        return nullptr;
    }
    return link;
}

} // namespace qmv
