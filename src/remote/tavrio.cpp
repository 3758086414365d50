// The exported face of the virtual remote: the seven link operations, each answered by the
// remote whose state folder the environment names at the time of the call.
#define TAVRIO_BUILDING
#include "tavrio.h"

#include "VirtualRemote.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

qmv::remote::VirtualRemote& currentRemote()
{
    static std::mutex mutex;
    static std::map<std::filesystem::path, std::unique_ptr<qmv::remote::VirtualRemote>> remotes;
    const auto folder = qmv::remote::StateFolder::defaultPath();
    std::lock_guard guard(mutex);
    auto& remote = remotes[folder];
    if (!remote)
        remote = std::make_unique<qmv::remote::VirtualRemote>(folder);
    return *remote;
}

template <typename Operation> tavrio_bool guarded(Operation operation)
{
    try {
        return operation(currentRemote()) ? 1 : 0;
    } catch (...) {
        return 0; // nothing may escape through a C interface
    }
}

} // namespace

extern "C" {

TAVRIO_API tavrio_bool TAVRIO_CALL link_state(void)
{
    return guarded([](auto& remote) { return remote.linkState(); });
}

TAVRIO_API tavrio_bool TAVRIO_CALL ReadVersion(char* buffer)
{
    return guarded([&](auto& remote) { return buffer && remote.readVersion(buffer); });
}

TAVRIO_API tavrio_bool TAVRIO_CALL RBasicInfo(char* buffer)
{
    return guarded([&](auto& remote) { return buffer && remote.basicInfo(buffer); });
}

TAVRIO_API tavrio_bool TAVRIO_CALL readdatav20(char* buffer, int count, const char* addressHigh,
                                               const char* addressLow, const char* selector)
{
    return guarded([&](auto& remote) {
        return buffer && remote.readData(buffer, count, addressHigh, addressLow, selector);
    });
}

TAVRIO_API tavrio_bool TAVRIO_CALL writedatav20(const char* deviceTag, const char* addressHigh,
                                                const char* addressLow, const char* data)
{
    return guarded([&](auto& remote) { return remote.writeData(deviceTag, addressHigh, addressLow, data); });
}

TAVRIO_API tavrio_bool TAVRIO_CALL SetCodeCarrierWave(void)
{
    return guarded([](auto& remote) { return remote.setCodeCarrierWave(); });
}

TAVRIO_API tavrio_bool TAVRIO_CALL RCollectCodeInfo(char* buffer)
{
    return guarded([&](auto& remote) { return buffer && remote.collectCodeInfo(buffer); });
}

} // extern "C"
