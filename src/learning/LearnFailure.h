#pragma once

#include "TCollectCode.h"

#include <chrono>
#include <string>

namespace qmv {

// Why a key could not be learned, in the words the user sees. The failure message itself says
// only that learning failed; the key's hint and the command line give the reason.
std::string captureFailure(CaptureEnd end);
// A code was received but the converter made nothing storable of it.
std::string conversionFailure();

// The last failed learn of a key in an area.
struct FailedLearn
{
    std::chrono::system_clock::time_point when;
    std::string reason;
};

} // namespace qmv
