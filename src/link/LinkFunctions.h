#pragma once

#include "tavrio.h"

#include <array>

namespace qmv {

// The names the link library exports its operations under, as the loader looks them up and the
// update's check of a downloaded library expects them.
namespace linkname {
inline constexpr const char* linkState = "link_state";
inline constexpr const char* readVersion = "ReadVersion";
inline constexpr const char* basicInfo = "RBasicInfo";
inline constexpr const char* readData = "readdatav20";
inline constexpr const char* writeData = "writedatav20";
inline constexpr const char* setCodeCarrierWave = "SetCodeCarrierWave";
inline constexpr const char* collectCodeInfo = "RCollectCodeInfo";
inline constexpr std::array all{linkState, readVersion,        basicInfo,      readData,
                                writeData, setCodeCarrierWave, collectCodeInfo};
} // namespace linkname

// The seven entry points of a link library, however they were obtained (loaded at run time
// or linked in directly).
struct LinkFunctions
{
    tavrio_bool(TAVRIO_CALL* linkState)() = nullptr;
    tavrio_bool(TAVRIO_CALL* readVersion)(char*) = nullptr;
    tavrio_bool(TAVRIO_CALL* basicInfo)(char*) = nullptr;
    tavrio_bool(TAVRIO_CALL* readData)(char*, int, const char*, const char*, const char*) = nullptr;
    tavrio_bool(TAVRIO_CALL* writeData)(const char*, const char*, const char*, const char*) = nullptr;
    tavrio_bool(TAVRIO_CALL* setCodeCarrierWave)() = nullptr;
    tavrio_bool(TAVRIO_CALL* collectCodeInfo)(char*) = nullptr;
};

} // namespace qmv
