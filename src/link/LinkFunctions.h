#pragma once

#include "tavrio.h"

namespace qmv {

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
