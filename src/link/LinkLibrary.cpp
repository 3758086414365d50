#include "LinkLibrary.h"

#include "Text.h"

#include <utility>

namespace qmv {

LinkLibrary::LinkLibrary(std::unique_ptr<SharedLibrary> library)
    : m_library(std::move(library))
{
}

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

std::unique_ptr<LinkLibrary> LinkLibrary::load(const std::string& folder, std::string* error)
{
    const std::string path = folder + fileName;
    std::string reason;
    auto library = SharedLibrary::open(path, &reason);
    if (!library) {
        if (error)
            *error = formatText(translate("qmv::LinkLibrary", "找不到遥控器连接库 %1（%2）：%3"),
                                {fileName, path, reason});
        return nullptr;
    }

    std::unique_ptr<LinkLibrary> link(new LinkLibrary(std::move(library)));
    LinkFunctions& f = link->m_functions;
    const SharedLibrary& lib = *link->m_library;
    std::string missing;
    resolve(lib, "link_state", f.linkState, &missing);
    resolve(lib, "ReadVersion", f.readVersion, &missing);
    resolve(lib, "RBasicInfo", f.basicInfo, &missing);
    resolve(lib, "readdatav20", f.readData, &missing);
    resolve(lib, "writedatav20", f.writeData, &missing);
    resolve(lib, "SetCodeCarrierWave", f.setCodeCarrierWave, &missing);
    resolve(lib, "RCollectCodeInfo", f.collectCodeInfo, &missing);
    if (!missing.empty()) {
        if (error)
            *error = formatText(translate("qmv::LinkLibrary", "遥控器连接库 %1 缺少函数 %2！"),
                                {fileName, missing});
        return nullptr;
    }
    return link;
}

} // namespace qmv
