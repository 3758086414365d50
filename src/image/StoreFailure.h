#pragma once

#include "MemoryImage.h"

#include <string>

namespace qmv {

// Why a code could not be stored, in the words the user sees; empty for a stored code.
std::string storeFailure(StoreResult result);

// The same for a store into `image`: a refused store gives the image's own reason.
std::string storeFailure(StoreResult result, const MemoryImage& image);

} // namespace qmv
