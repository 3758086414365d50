#pragma once

#include "MemoryImage.h"

#include <string>

namespace qmv {

// Why a code could not be stored, in the words the user sees; empty for a stored code.
std::string storeFailure(StoreResult result);

} // namespace qmv
