#pragma once

#include "CaptureSignal.h"

#include <vector>

namespace qmv::remote {

const std::vector<Signal>& demoSignals();

} // namespace qmv::remote
